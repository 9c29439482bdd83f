#pragma once

#include <cstdint>
#include <string>

#include "production/manual_log_state.h"

namespace torvane {

// Background colours of the fields, as 0x00BBGGRR values.
namespace colour {
constexpr std::uint32_t kWhite = 0xFFFFFF;  // neutral
constexpr std::uint32_t kGreen = 0x00FF00;  // good
constexpr std::uint32_t kRed = 0x0000FF;    // failed
constexpr std::uint32_t kGrey = 0xF0F0F0;   // not in use
constexpr std::uint32_t kBlack = 0x000000;
}  // namespace colour

enum class MessageIcon { Error, Warning, Information, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// What the station logic may do to the main window. The window implements it;
// tests implement a recording fake. Controls are addressed by their ids.
class StationView {
 public:
  virtual ~StationView() = default;

  // Controls -> members, and members -> controls.
  virtual void TakeFieldValues() = 0;
  virtual void ShowFieldValues() = 0;
  virtual void SetFieldColour(int controlId, std::uint32_t background) = 0;
  // Gives the control the input focus; with selectAll its whole text is selected
  // and the caret scrolled into view.
  virtual void FocusControl(int controlId, bool selectAll = false) = 0;
  virtual void SetButtonImage(int controlId, bool checked) = 0;
  virtual void EnableControl(int controlId, bool enabled) = 0;
  virtual void ShowControl(int controlId, bool shown) = 0;
  virtual void RepaintWindow() = 0;
  // A modal message box opened the station's one way.
  virtual MessageAnswer ShowMessage(const std::string& text, const std::string& caption,
                                    MessageIcon icon, MessageButtons buttons) = 0;
  virtual void WriteManualRecord(ManualRecordKind kind) = 0;
};

}  // namespace torvane
