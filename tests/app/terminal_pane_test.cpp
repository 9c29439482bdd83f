#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "res/control_ids.h"
#include "station_window_fixture.h"

namespace torvane::test {
namespace {

class TerminalPaneTest : public StationWindowTest {
 protected:
  QLineEdit* Input() const { return Control<QLineEdit>(ids::kTerminalInput); }
  QString Output() const { return Control<QPlainTextEdit>(ids::kTerminalOutput)->toPlainText(); }
  void Send(const QString& line) {
    Input()->setText(line);
    Control<QAbstractButton>(ids::kTerminalSend)->click();
  }
};

TEST_F(TerminalPaneTest, ShowTogglesWidthAndCheckMarkKeepingTheTopLeft) {
  Start();
  window_->move(40, 30);
  QAction* show = Action(ids::kMenuTerminalShow);
  show->trigger();
  EXPECT_EQ(window_->size(), QSize(1120, 461));
  EXPECT_TRUE(show->isChecked());
  EXPECT_TRUE(window_->state().terminal.terminalShown);
  show->trigger();
  EXPECT_EQ(window_->size(), QSize(799, 461));
  EXPECT_FALSE(show->isChecked());
  EXPECT_EQ(window_->pos(), QPoint(40, 30));
}

TEST_F(TerminalPaneTest, ClearEmptiesTheOutput) {
  Start();
  Control<QPlainTextEdit>(ids::kTerminalOutput)->setPlainText("old line");
  Action(ids::kMenuTerminalClear)->trigger();
  EXPECT_TRUE(Output().isEmpty());
  EXPECT_TRUE(window_->state().terminal.terminalOutput.empty());
}

TEST_F(TerminalPaneTest, SendWithoutAPortLeavesTheOutputAndInput) {
  Start();
  Control<QPlainTextEdit>(ids::kTerminalOutput)->setPlainText("kept");
  Send("TOR");
  EXPECT_EQ(Output(), "kept");
  EXPECT_EQ(Input()->text(), "TOR");
}

TEST_F(TerminalPaneTest, SentLinesReachTheReaderAndAnswersArriveOnTop) {
  WriteSettingsForPeer();
  Start();
  ASSERT_TRUE(window_->link().portOpen());
  Send("TOR");
  EXPECT_EQ(peer_.ReadLine(), "TOR\r");
  EXPECT_EQ(Input()->text(), "TOR");

  ASSERT_TRUE(peer_.Write("ANSWER\r"));
  ASSERT_TRUE(WaitUntil([&] { return Output() == "ANSWER\n"; })) << Output().toStdString();
  ASSERT_TRUE(peer_.Write("B\r"));
  ASSERT_TRUE(WaitUntil([&] { return Output() == "B\nANSWER\n"; })) << Output().toStdString();
  window_->TakeFieldValues();
  EXPECT_EQ(window_->state().terminal.terminalOutput, "B\r\nANSWER\r\n");

  Action(ids::kMenuTerminalClear)->trigger();
  ASSERT_TRUE(peer_.Write("C\r"));
  ASSERT_TRUE(WaitUntil([&] { return Output() == "C\n"; })) << Output().toStdString();
}

TEST_F(TerminalPaneTest, EnterInTheInputSendsAndSelectsTheWholeInput) {
  WriteSettingsForPeer();
  Start();
  Input()->setFocus();
  Input()->setText("RUID");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(Input(), &enter);
  EXPECT_EQ(peer_.ReadLine(), "RUID\r");
  EXPECT_EQ(Input()->text(), "RUID");
  EXPECT_EQ(Input()->selectedText(), "RUID");
  EXPECT_TRUE(window_->isVisible());
}

}  // namespace
}  // namespace torvane::test
