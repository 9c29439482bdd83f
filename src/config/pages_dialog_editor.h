#pragma once

#include "config/dialog_view.h"
#include "config/pages_dialog_state.h"

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
  // "OK": the counter value is read back from its page. False when a shown
  // byte is no byte at all: the dialog then stays open on it.
  bool OnOk();

 private:
  void ShowImages();
  void ShowCounterInPage(int page);
  void ReadCounterBack(int page);
  // Whether the byte shows what it was given or one byte in the display form.
  bool IsShownByteValid(int byte) const;

  DialogView& view_;
  PagesDialogState& state_;
};

}  // namespace torvane
