#pragma once

#include <string>

namespace torvane {

class DialogWindow;

// Moves values between a dialog's controls and its state: taking reads the
// controls into the members, showing writes the members into the controls.
class FieldExchange {
 public:
  FieldExchange(const DialogWindow& window, bool take) : window_(window), take_(take) {}

  // Text fields and combo boxes; the text is UTF-8.
  void Text(int controlId, std::string& member) const;
  // Byte fields: each character is one byte.
  void Bytes(int controlId, std::string& member) const;
  // Image buttons: the check state, and the image that shows it.
  void Check(int controlId, bool& member) const;
  // Static texts are only shown.
  void Label(int controlId, const std::string& text) const;

 private:
  void Field(int controlId, std::string& member, bool bytes) const;

  const DialogWindow& window_;
  bool take_;
};

}  // namespace torvane
