#include <QAbstractButton>
#include <QAction>

#include "app/main_window.h"
#include "controls/color_label.h"
#include "controls/enter_edit.h"
#include "controls/image_button.h"
#include "controls/station_message_box.h"
#include "controls/widget_focus.h"

namespace torvane {

void MainWindow::SetFieldColour(int controlId, std::uint32_t background) {
  if (auto* field = Control<EnterEdit>(controlId)) field->SetBackgroundColour(background);
  if (auto* label = Control<ColorLabel>(controlId)) label->SetBackgroundColour(background);
}

void MainWindow::SetFieldTextColour(int controlId, std::uint32_t text) {
  if (auto* field = Control<EnterEdit>(controlId)) field->SetTextColour(text);
  if (auto* label = Control<ColorLabel>(controlId)) label->SetTextColour(text);
}

void MainWindow::FocusControl(int controlId, bool selectAll) {
  FocusWidget(Control<QWidget>(controlId), selectAll);
}

void MainWindow::SetButtonImage(int controlId, bool checked) {
  if (auto* button = Control<ImageButton>(controlId)) button->ShowImage(checked);
}

void MainWindow::EnableControl(int controlId, bool enabled) {
  if (auto* control = Control<QWidget>(controlId)) control->setEnabled(enabled);
}

void MainWindow::ShowControl(int controlId, bool shown) {
  if (auto* control = Control<QWidget>(controlId)) control->setVisible(shown);
}

void MainWindow::SetControlText(int controlId, const std::string& text) {
  if (auto* button = Control<QAbstractButton>(controlId))
    button->setText(QString::fromStdString(text));
}

void MainWindow::EnableMenuCommand(int commandId, bool enabled) {
  auto it = actions_.find(commandId);
  if (it != actions_.end()) it->second->setEnabled(enabled);
}

void MainWindow::RepaintWindow() {
  repaint();
}

MessageAnswer MainWindow::ShowMessage(const std::string& text, const std::string& caption,
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
