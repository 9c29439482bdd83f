#include "controls/station_message_box.h"

#include <QMessageBox>

namespace torvane {

namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Question:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer StationMessageBox::Show(QWidget* parent, const std::string& text,
                                      const std::string& caption, MessageIcon icon,
                                      MessageButtons buttons) {
  if (ending_) return SafeAnswer(buttons);
  QMessageBox::StandardButtons choice = buttons == MessageButtons::YesNo
                                            ? (QMessageBox::Yes | QMessageBox::No)
                                            : QMessageBox::StandardButtons(QMessageBox::Ok);
  QMessageBox box(BoxIcon(icon), QString::fromUtf8(caption), QString::fromUtf8(text), choice,
                  parent);
  int pressed = box.exec();
  if (ending_) return SafeAnswer(buttons);
  if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

MessageAnswer StationMessageBox::SafeAnswer(MessageButtons buttons) {
  return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

}  // namespace torvane
