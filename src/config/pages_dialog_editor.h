#pragma once

#include "config/pages_dialog_state.h"
#include "view/dialog_view.h"

namespace torvane {

// The handlers of the pages 3-17 dialog. The window flips a pressed image
// button's flag when it takes the field values.
class PagesDialogEditor {
 public:
  PagesDialogEditor(DialogView& view, PagesDialogState& state) : view_(view), state_(state) {}

  // The dialog opens: colours, images, and the counter page showing the counter.
  void OnOpen();
  // "Edit" or "Lock" of a page.
  void OnFlagButton();
  void OnHexForm();
  void OnAsciiForm();
  // Enter or Tab in the field of byte 16..135.
  void OnByteEntry(int byte);
  // "OK": bytes typed without Enter are checked as Enter would, then the
  // counter value is read back from its page. False when a typed byte was
  // refused: the dialog then stays open on it.
  bool OnOk();

 private:
  void ShowImages();
  void ShowCounterInPage(int page);
  void ReadCounterBack(int page);
  // The form of the byte that its field shows in the display form.
  const std::string& FormShown(int byte) const;
  // The check of Enter for byte 16..135; false when it was refused.
  bool CheckByte(int byte);
  // Checks every byte whose field shows other than its form, as Enter would;
  // false at the first refusal, whose field gets the focus.
  bool CheckTypedBytes();

  DialogView& view_;
  PagesDialogState& state_;
};

}  // namespace torvane
