#include "controls/enter_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>

#include "controls/message_map.h"
#include "controls/window_messages.h"

namespace torvane {

namespace {

bool IsTab(const QKeyEvent& key) {
  bool plain = !(key.modifiers() & (Qt::ControlModifier | Qt::AltModifier));
  return plain && (key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab);
}

}  // namespace

EnterEdit::EnterEdit(int number, QWidget* parent)
    : ColorControl<QLineEdit>(parent),
      number_(number),
      completeMessage_(WindowMessages::EditComplete(number)) {
  if (SendsTab(number)) tabMessage_ = WindowMessages::EditTab(number);
  if (number > 0) StyleChanged();
}

bool EnterEdit::event(QEvent* event) {
  // Tab is taken before the widget would move the focus with it.
  if (event->type() == QEvent::KeyPress && IsTab(*static_cast<QKeyEvent*>(event))) {
    if (tabMessage_ != 0) SendToWindow(tabMessage_);
    event->accept();
    return true;
  }
  return ColorControl<QLineEdit>::event(event);
}

void EnterEdit::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      event->accept();
      SendToWindow(completeMessage_);
      return;
    case Qt::Key_Escape:
      // Kept from the window, so that Escape in a field never ends it.
      event->accept();
      return;
    default:
      ColorControl<QLineEdit>::keyPressEvent(event);
  }
}

void EnterEdit::focusOutEvent(QFocusEvent* event) {
  ColorControl<QLineEdit>::focusOutEvent(event);
  // The field's own context menu takes the focus only for a moment.
  if (CompletesOnFocusLoss(number_) && event->reason() != Qt::PopupFocusReason) {
    SendToWindow(completeMessage_);
  }
}

void EnterEdit::paintEvent(QPaintEvent* event) {
  if (style_.icon().isNull()) {
    ColorControl<QLineEdit>::paintEvent(event);
    return;
  }
  QPainter painter(this);
  style_.Paint(painter, rect(), QString(), 0);
}

void EnterEdit::StyleChanged() {
  QPalette colours = palette();
  colours.setColor(QPalette::Base, ColourFromRef(style_.backgroundColour()));
  colours.setColor(QPalette::Text, ColourFromRef(style_.textColour()));
  setPalette(colours);
  setFont(style_.font());
}

void EnterEdit::SendToWindow(unsigned message) {
  for (QWidget* window = parentWidget(); window != nullptr; window = window->parentWidget()) {
    if (auto* target = dynamic_cast<MessageTarget*>(window)) {
      target->messageMap().Send(message, objectName().toInt(), this);
      return;
    }
  }
}

}  // namespace torvane
