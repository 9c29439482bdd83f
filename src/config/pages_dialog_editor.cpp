#include "config/pages_dialog_editor.h"

#include "config/byte_forms.h"
#include "config/counter_page_number.h"
#include "platform/decimal_text.h"
#include "view/config_dialog_ids.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {

namespace dlg = ids::pages_dialog;

constexpr std::size_t kCounterDigits = kBytesPerPage;  // one page of digits
constexpr const char* kNul = "NUL";

}  // namespace

void PagesDialogEditor::OnOpen() {
  for (int byte = dlg::kFirstByte; byte <= dlg::kLastByte; ++byte) {
    view_.SetFieldColour(dlg::ByteField(byte), colour::kWhite);
  }
  for (int row = 0; row < dlg::kUserPages; ++row) view_.EnableControl(dlg::kEditButton[row], true);
  if (std::optional<int> page = CounterPageNumber(state_.counterPage)) {
    state_.editPage[*page - 1] = false;
    view_.EnableControl(dlg::kEditButton[*page - dlg::kFirstPage], false);
    ShowCounterInPage(*page);
  }
  ShowImages();
  view_.ShowFieldValues();
}

void PagesDialogEditor::ShowCounterInPage(int page) {
  const std::string digits = ZeroPadded(state_.counterValue, kCounterDigits);
  for (std::size_t k = 0; k < kCounterDigits; ++k) {
    const int byte = FirstByteOfPage(page) + static_cast<int>(k);
    state_.hex[byte] = HexFormOfChars(digits.substr(k, 1));
    state_.chars[byte] = CharFormOfHex(state_.hex[byte]);
    state_.displayed[byte] = state_.form == PageForm::Ascii ? state_.chars[byte] : state_.hex[byte];
  }
}

void PagesDialogEditor::ShowImages() {
  for (int row = 0; row < dlg::kUserPages; ++row) {
    view_.SetButtonImage(dlg::kEditButton[row], state_.editPage[row + dlg::kFirstPage - 1]);
    view_.SetButtonImage(dlg::kLockButton[row], state_.lockPage[row + dlg::kFirstPage - 1]);
  }
  view_.SetButtonImage(dlg::kHexButton, state_.form == PageForm::Hex);
  view_.SetButtonImage(dlg::kAsciiButton, state_.form == PageForm::Ascii);
}

void PagesDialogEditor::OnFlagButton() {
  view_.TakeFieldValues();
  ShowImages();
  view_.ShowFieldValues();
}

void PagesDialogEditor::OnAsciiForm() {
  view_.TakeFieldValues();
  if (state_.form != PageForm::Ascii) {
    if (!CheckTypedBytes()) {
      ShowImages();
      return;
    }
    for (int byte = dlg::kFirstByte; byte <= dlg::kLastByte; ++byte) {
      std::string& shown = state_.displayed[byte];
      if (shown == "00") {
        state_.chars[byte] = kNul;
        state_.hex[byte] = "00";
      } else {
        state_.chars[byte] = CharFormOfHex(shown);
        state_.hex[byte] = shown;
      }
      shown = state_.chars[byte];
    }
    state_.form = PageForm::Ascii;
  }
  ShowImages();
  view_.ShowFieldValues();
}

void PagesDialogEditor::OnHexForm() {
  view_.TakeFieldValues();
  if (state_.form != PageForm::Hex) {
    if (!CheckTypedBytes()) {
      ShowImages();
      return;
    }
    for (int byte = dlg::kFirstByte; byte <= dlg::kLastByte; ++byte) {
      std::string& shown = state_.displayed[byte];
      if (shown == kNul) {
        state_.chars[byte] = kNul;
        state_.hex[byte] = "00";
      } else {
        state_.hex[byte] = HexFormOfChars(shown);
        state_.chars[byte] = shown;
      }
      shown = state_.hex[byte];
    }
    state_.form = PageForm::Hex;
  }
  ShowImages();
  view_.ShowFieldValues();
}

void PagesDialogEditor::OnByteEntry(int byte) {
  if (byte < dlg::kFirstByte || byte > dlg::kLastByte) return;
  view_.TakeFieldValues();
  CheckByte(byte);
  view_.ShowFieldValues();
  const int next = byte == dlg::kLastByte ? dlg::kFirstByte : byte + 1;
  view_.FocusControl(dlg::ByteField(next), true);
}

const std::string& PagesDialogEditor::FormShown(int byte) const {
  return state_.form == PageForm::Ascii ? state_.chars[byte] : state_.hex[byte];
}

// A refused text stays shown, as the operator typed it, with the byte's forms
// unchanged; a character no byte can hold cannot be shown as typed.
bool PagesDialogEditor::CheckByte(int byte) {
  std::string& shown = state_.displayed[byte];
  std::string refusal;
  if (!view_.HoldsOnlyByteCharacters(dlg::ByteField(byte))) {
    refusal = NonByteCharacterRefusal(byte);
    shown = FormShown(byte);
  } else if (state_.form == PageForm::Ascii) {
    if (std::optional<std::string> chars = AcceptedCharByte(shown)) {
      state_.chars[byte] = *chars;
      state_.hex[byte] = HexFormOfChars(*chars);
    } else {
      refusal = CharByteRefusal(byte);
    }
  } else if (std::optional<std::string> hex = AcceptedHexByte(shown, true)) {
    shown = *hex;
    state_.hex[byte] = *hex;
    state_.chars[byte] = CharFormOfHex(*hex);
  } else {
    refusal = HexByteRefusal(byte, true);
  }
  if (refusal.empty()) return true;
  view_.ShowMessage(refusal, kDialogMessageCaption, MessageIcon::Warning, MessageButtons::Ok);
  return false;
}

// What was handed in passes as it is; only what was typed since is checked.
bool PagesDialogEditor::CheckTypedBytes() {
  for (int byte = dlg::kFirstByte; byte <= dlg::kLastByte; ++byte) {
    if (state_.displayed[byte] == FormShown(byte) &&
        view_.HoldsOnlyByteCharacters(dlg::ByteField(byte))) {
      continue;
    }
    if (CheckByte(byte)) continue;
    view_.ShowFieldValues();
    view_.FocusControl(dlg::ByteField(byte), true);
    return false;
  }
  return true;
}

bool PagesDialogEditor::OnOk() {
  view_.TakeFieldValues();
  if (!CheckTypedBytes()) return false;
  if (std::optional<int> page = CounterPageNumber(state_.counterPage)) ReadCounterBack(*page);
  return true;
}

void PagesDialogEditor::ReadCounterBack(int page) {
  std::string joined;
  for (int k = 0; k < static_cast<int>(kCounterDigits); ++k) {
    joined += state_.chars[FirstByteOfPage(page) + k];
  }
  state_.counterValue = ZeroPadded(std::to_string(ReadDecimal(joined)), kCounterDigits);
}

}  // namespace torvane
