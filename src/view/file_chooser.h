#pragma once

#include <optional>
#include <string>

namespace torvane {

// What a file dialog is asked for. Paths are UTF-8.
struct FileDialogRequest {
  std::string filter;         // e.g. "*.xml"; empty: every file
  std::string defaultSuffix;  // added to a name typed without one, e.g. "xml"
  std::string startFolder;    // a folder, or a file whose folder opens and which is preselected
};

// The one way the station asks the operator for a file, so that tests answer
// without a window.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The chosen existing file, or nothing when the operator cancels.
  virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
  // The chosen file to write; an existing one only after the operator agreed to
  // overwrite it. Nothing when the operator cancels.
  virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
};

}  // namespace torvane
