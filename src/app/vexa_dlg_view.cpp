#include <QAbstractButton>
#include <QAction>

#include "app/vexa_dlg.h"
#include "controls/color_label.h"
#include "controls/enter_edit.h"
#include "controls/image_button.h"
#include "controls/station_message_box.h"
#include "controls/widget_focus.h"

namespace torvane {

void CVexaDlg::SetFieldColour(int controlId, std::uint32_t background) {
  if (auto* field = Control<CEnterEdit>(controlId)) field->SetBackgroundColour(background);
  if (auto* label = Control<CColorLabel>(controlId)) label->SetBackgroundColour(background);
}

void CVexaDlg::SetFieldTextColour(int controlId, std::uint32_t text) {
  if (auto* field = Control<CEnterEdit>(controlId)) field->SetTextColour(text);
  if (auto* label = Control<CColorLabel>(controlId)) label->SetTextColour(text);
}

void CVexaDlg::FocusControl(int controlId, bool selectAll) {
  FocusWidget(Control<QWidget>(controlId), selectAll);
}

void CVexaDlg::SetButtonImage(int controlId, bool checked) {
  if (auto* button = Control<ImageButton>(controlId)) button->ShowImage(checked);
}

void CVexaDlg::EnableControl(int controlId, bool enabled) {
  if (auto* control = Control<QWidget>(controlId)) control->setEnabled(enabled);
}

void CVexaDlg::ShowControl(int controlId, bool shown) {
  if (auto* control = Control<QWidget>(controlId)) control->setVisible(shown);
}

void CVexaDlg::SetControlText(int controlId, const std::string& text) {
  if (auto* button = Control<QAbstractButton>(controlId))
    button->setText(QString::fromStdString(text));
}

void CVexaDlg::EnableMenuCommand(int commandId, bool enabled) {
  auto it = actions_.find(commandId);
  if (it != actions_.end()) it->second->setEnabled(enabled);
}

void CVexaDlg::RepaintWindow() {
  repaint();
}

MessageAnswer CVexaDlg::ShowMessage(const std::string& text, const std::string& caption,
                                    MessageIcon icon, MessageButtons buttons) {
  const auto opened = std::chrono::steady_clock::now();
  const MessageAnswer answer = StationMessageBox::Show(this, text, caption, icon, buttons);
  messageTime_ += std::chrono::steady_clock::now() - opened;
  if (icon == MessageIcon::Error || icon == MessageIcon::Warning) {
    lastMessageLine_ = text.substr(0, text.find("\r\n"));
  }
  return answer;
}

}  // namespace torvane
