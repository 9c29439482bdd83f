#pragma once

#include <optional>
#include <string>

namespace torvane {

struct PagesDialogState;

// A file dialog as the configuration dialog asks for one.
struct FileRequest {
  enum class Kind { Open, Save };
  Kind kind;
  std::string filter;            // "*.csv"
  std::string defaultExtension;  // "csv"
  std::string start;             // file or folder the dialog starts from
};

// What the configuration dialog's window offers its rules besides its controls:
// its two file choosers and the pages 3-17 dialog.
class ConfigDialogServices {
 public:
  virtual ~ConfigDialogServices() = default;
  // The chosen path; nothing when the operator cancelled.
  virtual std::optional<std::string> ChooseFile(const FileRequest& request) = 0;
  // Runs the pages dialog on `pages`; true when it ended with "OK".
  virtual bool RunPagesDialog(PagesDialogState& pages) = 0;
};

}  // namespace torvane
