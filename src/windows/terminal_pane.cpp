#include "windows/terminal_pane.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace torvane {

TerminalPane::TerminalPane(SerialLink& link, StationView& view, TerminalState& terminal)
    : link_(link), view_(view), terminal_(terminal) {
  // The receive thread never touches a widget: the line travels to this
  // object's thread as a queued call.
  link_.setLineHook([this](const std::string& line) {
    QMetaObject::invokeMethod(
        this, [this, line] { PrependLine(line); }, Qt::QueuedConnection);
  });
}

void TerminalPane::Attach(QWidget* window, QAction* showItem, QLineEdit* input,
                          QPlainTextEdit* output) {
  window_ = window;
  showItem_ = showItem;
  input_ = input;
  output_ = output;
}

void TerminalPane::OnShow() {
  terminal_.terminalShown = !terminal_.terminalShown;
  showItem_->setChecked(terminal_.terminalShown);
  window_->resize(terminal_.terminalShown ? kShownWidth : kHiddenWidth, kWindowHeight);
}

void TerminalPane::OnClear() {
  view_.TakeFieldValues();
  terminal_.terminalOutput.clear();
  view_.ShowFieldValues();
}

void TerminalPane::OnSend() {
  view_.TakeFieldValues();
  if (link_.portOpen()) link_.SendLine(terminal_.terminalInput + "\r");
  view_.ShowFieldValues();
}

void TerminalPane::OnInputEnter() {
  input_->selectAll();
  OnSend();
}

void TerminalPane::PrependLine(const std::string& line) {
  std::string text = line;
  if (text.ends_with("\r\n")) text.resize(text.size() - 2);
  QTextCursor top(output_->document());
  top.movePosition(QTextCursor::Start);
  top.insertText(QString::fromLatin1(text) + QLatin1Char('\n'));
}

}  // namespace torvane
