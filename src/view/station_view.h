#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "view/colours.h"
#include "view/manual_log_state.h"
#include "view/operator_messages.h"

namespace torvane {

// What the station logic may do to the main window. The window implements it;
// tests implement a recording fake. Controls are addressed by their ids.
class StationView : public OperatorMessages {
 public:
  // Controls -> members, and members -> controls.
  virtual void TakeFieldValues() = 0;
  virtual void ShowFieldValues() = 0;
  virtual void SetFieldColour(int controlId, std::uint32_t background) = 0;
  virtual void SetFieldTextColour(int controlId, std::uint32_t text) = 0;
  // Gives the control the input focus; with selectAll its whole text is selected
  // and the caret scrolled into view.
  virtual void FocusControl(int controlId, bool selectAll = false) = 0;
  virtual void SetButtonImage(int controlId, bool checked) = 0;
  virtual void EnableControl(int controlId, bool enabled) = 0;
  virtual void ShowControl(int controlId, bool shown) = 0;
  virtual void SetControlText(int controlId, const std::string& text) = 0;
  virtual void EnableMenuCommand(int commandId, bool enabled) = 0;
  // The window timers by their station ids; setting a running timer restarts it.
  virtual void SetTimer(int timerId, std::chrono::milliseconds period) = 0;
  virtual void KillTimer(int timerId) = 0;
  virtual void RepaintWindow() = 0;
  virtual void WriteManualRecord(ManualRecordKind kind) = 0;
};

}  // namespace torvane
