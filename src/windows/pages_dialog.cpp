#include "windows/pages_dialog.h"

#include <utility>

#include "controls/window_messages.h"
#include "res/pages_dialog_template.h"
#include "view/config_dialog_ids.h"
#include "view/control_ids.h"
#include "windows/field_exchange.h"

namespace torvane {

namespace {

namespace dlg = ids::pages_dialog;

constexpr int kByteFieldNumber = 24;

// The byte a field stands for, by its control id; 0 for none.
int ByteOfField(int controlId) {
  for (int byte = dlg::kFirstByte; byte <= dlg::kLastByte; ++byte) {
    if (dlg::ByteField(byte) == controlId) return byte;
  }
  return 0;
}

}  // namespace

PagesDialog::PagesDialog(PagesDialogState state, QWidget* parent)
    : DialogViewWindow(dlg::kTemplate, PagesDialogTemplate(), parent),
      state_(std::move(state)),
      editor_(*this, state_) {
  setWindowTitle(QStringLiteral("Config Pages 3-17"));
  ConnectCommands();
}

void PagesDialog::ConnectCommands() {
  for (unsigned message : {WindowMessages::EditComplete(kByteFieldNumber),
                           WindowMessages::EditTab(kByteFieldNumber)}) {
    OnFieldMessage(message, [this](int controlId) { editor_.OnByteEntry(ByteOfField(controlId)); });
  }
  for (int row = 0; row < dlg::kUserPages; ++row) {
    ConnectButton(dlg::kEditButton[row], [this] { editor_.OnFlagButton(); });
    ConnectButton(dlg::kLockButton[row], [this] { editor_.OnFlagButton(); });
  }
  ConnectButton(dlg::kHexButton, [this] { editor_.OnHexForm(); });
  ConnectButton(dlg::kAsciiButton, [this] { editor_.OnAsciiForm(); });
  ConnectButton(ids::kOk, [this] {
    if (editor_.OnOk()) accept();
  });
  ConnectButton(ids::kCancel, [this] { reject(); });
}

void PagesDialog::showEvent(QShowEvent* event) {
  DialogViewWindow::showEvent(event);
  if (opened_) return;
  opened_ = true;
  editor_.OnOpen();
}

void PagesDialog::TakeFieldValues() {
  Exchange(true);
}

void PagesDialog::ShowFieldValues() {
  Exchange(false);
}

void PagesDialog::Exchange(bool take) {
  const FieldExchange exchange(*this, take);
  for (int byte = dlg::kFirstByte; byte <= dlg::kLastByte; ++byte) {
    exchange.Bytes(dlg::ByteField(byte), state_.displayed[byte]);
  }
  for (int row = 0; row < dlg::kUserPages; ++row) {
    const int page = dlg::kFirstPage + row - 1;
    exchange.Check(dlg::kEditButton[row], state_.editPage[page]);
    exchange.Check(dlg::kLockButton[row], state_.lockPage[page]);
  }
}

}  // namespace torvane
