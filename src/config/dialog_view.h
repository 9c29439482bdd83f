#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "transponder/operator_messages.h"
#include "transponder/station_view.h"

namespace torvane {

struct PagesDialogState;

// What the rules of the configuration dialogs may do to their window. Controls
// are addressed by their ids; tests implement a recording fake. Message boxes
// open over the dialog.
class DialogView : public OperatorMessages {
 public:
  // Controls -> state, and state -> controls.
  virtual void TakeFieldValues() = 0;
  virtual void ShowFieldValues() = 0;
  virtual void SetFieldColour(int controlId, std::uint32_t background) = 0;
  // Gives the control the focus; with selectAll its whole text is selected.
  virtual void FocusControl(int controlId, bool selectAll) = 0;
  virtual void SetButtonImage(int controlId, bool set) = 0;
  virtual void EnableControl(int controlId, bool enabled) = 0;
  virtual void RepaintWindow() = 0;
  // False when the field's text has a character that no byte can hold; such a
  // character reaches the state as "?".
  virtual bool HoldsOnlyByteCharacters(int controlId) const = 0;
};

// The caption of every message box the dialogs open.
constexpr const char* kDialogMessageCaption = "Torvane";

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
