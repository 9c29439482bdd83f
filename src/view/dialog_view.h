#pragma once

#include <cstdint>

#include "view/colours.h"
#include "view/operator_messages.h"

namespace torvane {

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

}  // namespace torvane
