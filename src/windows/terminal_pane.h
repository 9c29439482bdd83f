#pragma once

#include <QObject>
#include <string>

#include "link/serial_link.h"
#include "link/terminal_state.h"
#include "view/station_view.h"

class QAction;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace torvane {

// The "Terminal" pane of the main window: showing and hiding it, sending the
// typed line to the reader, and putting the reader's lines on top of the output.
class TerminalPane : public QObject {
 public:
  static constexpr int kHiddenWidth = 799;
  static constexpr int kShownWidth = 1120;
  static constexpr int kWindowHeight = 461;

  // Installs the link's line hook: the link must not be open yet.
  TerminalPane(SerialLink& link, StationView& view, TerminalState& terminal);

  void Attach(QWidget* window, QAction* showItem, QLineEdit* input, QPlainTextEdit* output);

  // "Terminal" > "Show": toggles the pane; the window keeps its top-left corner.
  void OnShow();
  void OnClear();
  void OnSend();
  // Enter in the input field: the whole input stays selected for the next typing.
  void OnInputEnter();

  // On the user-interface thread: one received line (with its CR LF) on top.
  void PrependLine(const std::string& line);

 private:
  SerialLink& link_;
  StationView& view_;
  TerminalState& terminal_;
  QWidget* window_ = nullptr;
  QAction* showItem_ = nullptr;
  QLineEdit* input_ = nullptr;
  QPlainTextEdit* output_ = nullptr;
};

}  // namespace torvane
