#include "windows/dialog_window.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimerEvent>
#include <algorithm>
#include <optional>

#include "controls/color_label.h"
#include "controls/enter_edit.h"
#include "controls/image_button.h"
#include "controls/station_message_box.h"
#include "controls/widget_focus.h"
#include "res/station_images.h"
#include "view/colours.h"
#include "windows/template_control.h"

namespace torvane {

namespace {

constexpr std::uint32_t kDisabledText = 0x6D6D6D;  // 109,109,109

}  // namespace

DialogWindow::DialogWindow(int templateId, const std::vector<ControlTemplate>& controls,
                           QWidget* parent)
    : QDialog(parent) {
  setObjectName(QString::number(templateId));
  QFont dialogFont = font();
  dialogFont.setPointSize(kDialogFontPointSize);
  setFont(dialogFont);
  setWindowIcon(StationImages::WindowIcon());
  QRect extent;
  for (const ControlTemplate& entry : controls) {
    QWidget* control = CreateTemplateControl(entry, this);
    extent |= control->geometry();
    if (entry.id != 0) controls_[entry.id] = control;
    if (auto* label = dynamic_cast<ColorLabel*>(control)) {
      label->SetTextColour(colour::kWhite, false);
      label->SetBackgroundColour(colour::kBlack, false);
    }
    if (auto* field = dynamic_cast<EnterEdit*>(control)) {
      field->SetTextColour(colour::kBlack, false);
      field->SetBackgroundColour(colour::kWhite, false);
    }
    if (auto* button = qobject_cast<QPushButton*>(control)) button->setAutoDefault(false);
  }
  // Frames lie under the controls they hold.
  for (QObject* child : children()) {
    if (child->inherits("QGroupBox")) static_cast<QWidget*>(child)->lower();
  }
  setFixedSize(extent.right() + 8, extent.bottom() + 8);
}

DialogWindow::~DialogWindow() {
  for (QObject* control : findChildren<QObject*>()) control->disconnect(this);
}

QWidget* DialogWindow::ControlWidget(int controlId) const {
  auto it = controls_.find(controlId);
  return it == controls_.end() ? nullptr : it->second;
}

void DialogWindow::SetFieldColour(int controlId, std::uint32_t background) {
  if (auto* field = Control<EnterEdit>(controlId)) field->SetBackgroundColour(background);
  if (auto* label = Control<ColorLabel>(controlId)) label->SetBackgroundColour(background);
}

void DialogWindow::FocusControl(int controlId, bool selectAll) {
  FocusWidget(ControlWidget(controlId), selectAll);
}

void DialogWindow::SetButtonImage(int controlId, bool set) {
  if (auto* button = Control<ImageButton>(controlId)) button->ShowImage(set);
}

void DialogWindow::EnableControl(int controlId, bool enabled) {
  QWidget* control = ControlWidget(controlId);
  if (control == nullptr) return;
  control->setEnabled(enabled);
  // The fields paint in their own colours, so a disabled one shows it by its text.
  if (auto* field = dynamic_cast<EnterEdit*>(control)) {
    field->SetTextColour(enabled ? colour::kBlack : kDisabledText);
  }
}

void DialogWindow::RepaintWindow() {
  repaint();
}

bool DialogWindow::HoldsOnlyByteCharacters(int controlId) const {
  const auto* field = Control<QLineEdit>(controlId);
  if (field == nullptr) return true;
  const QString text = field->text();
  return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
}

MessageAnswer DialogWindow::ShowMessage(const std::string& text, const std::string& caption,
                                        MessageIcon icon, MessageButtons buttons) {
  return StationMessageBox::Show(this, text, caption, icon, buttons);
}

void DialogWindow::SetTimer(int timerId, std::chrono::milliseconds period) {
  timers_.Set(timerId, period);
}

void DialogWindow::KillTimer(int timerId) {
  timers_.Kill(timerId);
}

void DialogWindow::timerEvent(QTimerEvent* event) {
  if (const std::optional<int> stationId = timers_.StationIdOf(event->timerId())) {
    OnTimer(*stationId);
    return;
  }
  QDialog::timerEvent(event);
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
  // Enter presses a focused button; elsewhere only a default button, which a
  // dialog without one never gets, so typing a name never ends it.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QAbstractButton*>(focusWidget())) {
      button->click();
      event->accept();
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

void DialogWindow::ConnectButton(int controlId, std::function<void()> handler) {
  if (auto* button = Control<QAbstractButton>(controlId)) {
    connect(button, &QAbstractButton::clicked, this, [handler = std::move(handler)] { handler(); });
  }
}

void DialogWindow::OnFieldMessage(unsigned message, std::function<void(int controlId)> handler) {
  messages_.On(message, [this, handler = std::move(handler)](int controlId, QWidget*) {
    if (handlingField_) return 0L;
    handlingField_ = true;
    handler(controlId);
    handlingField_ = false;
    return 0L;
  });
}

}  // namespace torvane
