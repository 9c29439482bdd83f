#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <csignal>
#include <string>
#include <utility>

#include "app/termination_notifier.h"
#include "controls/color_label.h"
#include "station_window_fixture.h"
#include "support/pty_peer.h"
#include "view/control_ids.h"
#include "windows/about_dialog.h"

namespace torvane::test {
namespace {

void PressEnter(QWidget* target) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(target, &press);
}

using MainWindowTest = StationWindowTest;

TEST_F(MainWindowTest, StartWithoutSettingsReportsThePortWorksAndSavesOnClose) {
  Start();
  ASSERT_EQ(answerer_->seen().size(), 1u);
  EXPECT_EQ(answerer_->seen()[0].text, " could not be opened!\n\nNo port name given.");
  EXPECT_EQ(answerer_->seen()[0].caption, "Error");
  EXPECT_EQ(answerer_->seen()[0].icon, QMessageBox::Critical);

  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(window_->windowTitle(), "Torvane");
  EXPECT_EQ(window_->findChild<QWidget*>("outcomePanel")->toolTip().toStdString(),
            "Ledger: SQLite file " + window_->state().workingDirectory + "/Torvane.ledger");
  EXPECT_EQ(window_->size(), QSize(799, 461));
  EXPECT_FALSE(Action(ids::kMenuTerminalShow)->isChecked());
  EXPECT_FALSE(window_->link().portOpen());
  EXPECT_EQ(window_->state().reader.answerUnit, 160);
  EXPECT_TRUE(window_->timerRunning(MainWindow::kCycleTimer));
  EXPECT_TRUE(window_->timerRunning(MainWindow::kMessageTimer));
  auto* output = Control<QPlainTextEdit>(ids::kTerminalOutput);
  output->setPlainText("kept");
  Control<QLineEdit>(ids::kTerminalInput)->setText("TOR");
  Control<QAbstractButton>(ids::kTerminalSend)->click();
  EXPECT_EQ(output->toPlainText(), "kept");

  window_->close();
  window_.reset();
  EXPECT_NE(ReadSettings().find("[Interface]"), std::string::npos);
}

// Settings written by a Windows station: its texts are Windows-1252.
TEST_F(MainWindowTest, WindowsTextsAreShownDecodedAndTypedTextIsSavedAsUtf8) {
  const std::string setName =
      "Pr\xFC"
      "fset";
  const std::string fileName =
      "/Pr\xFC"
      "fungen/" +
      std::string(50, '\xE4') + ".xml";
  WriteSettingsForPort("none", "[Auto]\r\nPruefablauf_ist=" + setName +
                                   "\r\n[Manual]\r\nfile name=" + fileName + "\r\n");
  Start();
  EXPECT_EQ(Control<ColorLabel>(ids::kConfigSetName)->text(), QString::fromUtf8("Pr\xC3\xBC"
                                                                                "fset"));
  EXPECT_EQ(Control<QLabel>(ids::kLogFileName)->text(),
            "..." + QString(47, QChar(0xE4)) + ".xml");  // the last 51 of 65 characters

  Control<QLineEdit>(ids::kMaxField)->setText(QString::fromUtf8("1\xC3\xBC"));
  window_->close();
  window_.reset();
  const std::string saved = ReadSettings();
  EXPECT_NE(saved.find("Carrier ID Max=1\xC3\xBC\r\n"), std::string::npos);
  EXPECT_NE(saved.find("Pruefablauf_ist=" + setName + "\r\n"), std::string::npos);
  EXPECT_NE(saved.find("file name=" + fileName + "\r\n"), std::string::npos);
}

// Enter where no field takes it moves the focus to "One"; the fields that take
// Enter but have no handler in this window keep their text and the focus.
TEST_F(MainWindowTest, EnterNeverEndsTheWindow) {
  Start();
  struct Case {
    int modeButton;
    int id;
    int focusAfter;
  };
  const Case cases[] = {
      {ids::kManualModeButton, ids::kCarrierIdOffsetField, ids::kCarrierIdOffsetField},
      {ids::kManualModeButton, ids::kUidField, ids::kUidField},
      {ids::kConfigModeButton, ids::kMaxField, ids::kMaxField},
      {ids::kConfigModeButton, ids::kConfigModeButton, ids::kOneButton}};
  for (const auto& [modeButton, id, focusAfter] : cases) {
    SCOPED_TRACE(id);
    Control<QAbstractButton>(modeButton)->click();
    QWidget* control = Control(id);
    control->setFocus();
    ASSERT_TRUE(WaitUntil([&] { return control->hasFocus(); }));
    auto* field = dynamic_cast<QLineEdit*>(control);
    if (field != nullptr) field->setText("12");
    PressEnter(control);
    EXPECT_EQ(window_->focusWidget(), Control(focusAfter));
    if (field != nullptr) {
      EXPECT_EQ(field->text(), "12");
    }
    EXPECT_TRUE(window_->isVisible());
  }
}

TEST_F(MainWindowTest, MessageTimerServesFocusRequestsInPageOrder) {
  struct Case {
    int configMode;
    int expectedFocus;
  };
  Start();
  for (Case c : {Case{0, ids::kPageField[5]}, Case{1, ids::kOneButton}}) {
    Control<QAbstractButton>(c.configMode == 1 ? ids::kConfigModeButton : ids::kManualModeButton)
        ->click();
    DeferredRequests& requests = window_->requests();
    requests.pageFocusRequest[5] = true;
    requests.pageFocusRequest[2] = true;
    Control<QLineEdit>(ids::kPageField[5])->setText("page six");
    window_->state().pages.enterPending = true;
    ASSERT_TRUE(WaitUntil([&] { return !window_->state().pages.enterPending; }));
    EXPECT_FALSE(requests.pageFocusRequest[2]);
    EXPECT_FALSE(requests.pageFocusRequest[5]);
    EXPECT_EQ(window_->focusWidget(), Control(c.expectedFocus)) << c.configMode;
    if (c.configMode == 0) {
      EXPECT_EQ(Control<QLineEdit>(ids::kPageField[5])->selectedText(), "page six");
    }
  }
}

TEST_F(MainWindowTest, MessageTimerShowsAPendingMessageOnce) {
  Start();
  std::size_t before = answerer_->seen().size();
  window_->requests().pendingMessage = "Error on writing the pages of the transponder.";
  window_->requests().pendingMessageFlag = true;
  ASSERT_TRUE(WaitUntil([&] { return answerer_->seen().size() > before; }));
  EXPECT_FALSE(window_->requests().pendingMessageFlag);
  EXPECT_EQ(answerer_->seen().back().text, "Error on writing the pages of the transponder.");
  EXPECT_EQ(answerer_->seen().back().caption, "Torvane");
  EXPECT_EQ(answerer_->seen().back().icon, QMessageBox::Critical);
}

TEST_F(MainWindowTest, CycleTimerRunsARequestedCycleOnceThenFocusesOne) {
  Start();
  Control<QAbstractButton>(ids::kConfigModeButton)->click();
  int cycles = 0;
  window_->SetCycleRunner([&] {
    // A message box inside the cycle serves ticks: the request must be gone.
    EXPECT_FALSE(window_->requests().cycleRequested);
    ++cycles;
  });
  window_->requests().cycleRequested = true;
  ASSERT_TRUE(WaitUntil([&] { return cycles > 0; }));
  EXPECT_EQ(cycles, 1);
  EXPECT_EQ(window_->focusWidget(), Control(ids::kOneButton));
}

TEST_F(MainWindowTest, BothAboutItemsOpenTheAboutBox) {
  Start();
  for (int command : {ids::kMenuInfo, ids::kSystemMenuAbout}) {
    QString caption;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* about = dynamic_cast<AboutDialog*>(window);
        if (about == nullptr || !about->isVisible()) continue;
        caption = about->windowTitle();
        about->accept();
      }
    });
    closer.start(5);
    Action(command)->trigger();
    EXPECT_EQ(caption, "Torvane  V1.68  21.10.2026") << command;
  }
}

bool MessageBoxOpen() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (qobject_cast<QMessageBox*>(window) != nullptr && window->isVisible()) return true;
  }
  return false;
}

// Every way of ending the window: the port is closed before the window object
// goes, and the settings, with what was typed, are written when it goes.
enum class EndWay { CloseBox, Escape, FileExit, Terminate, TerminateDuringQuestion };

class EndingTest : public StationWindowTest, public ::testing::WithParamInterface<EndWay> {
 protected:
  PtyPeer peer_;
};

TEST_P(EndingTest, ClosesThePortAndWritesTheSettings) {
  ASSERT_TRUE(peer_.ok()) << peer_.error();
  WriteSettingsForPort(peer_.slavePath());
  TerminationNotifier termination;
  Start();
  QObject::connect(&termination, &TerminationNotifier::TerminationRequested, window_.get(),
                   &MainWindow::EndOnSignal);
  ASSERT_TRUE(window_->link().portOpen());
  Control<QLineEdit>(ids::kPageField[0])->setText("11 22 33 44 55 66 77 88");
  switch (GetParam()) {
    case EndWay::CloseBox:
      window_->close();
      break;
    case EndWay::Escape: {
      QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QApplication::sendEvent(Control(ids::kReadButton), &escape);
      break;
    }
    case EndWay::FileExit:
      Action(ids::kMenuExit)->trigger();
      break;
    case EndWay::Terminate:
      std::raise(SIGTERM);
      break;
    case EndWay::TerminateDuringQuestion: {
      answerer_.reset();
      // The box runs its own loop: the signal has to come from inside it.
      bool raised = false;
      QTimer terminator;
      QObject::connect(&terminator, &QTimer::timeout, [&] {
        if (raised || !MessageBoxOpen()) return;
        raised = true;
        std::raise(SIGTERM);
      });
      terminator.start(5);
      EXPECT_EQ(window_->ShowMessage("Overwrite?", "Torvane", MessageIcon::Question,
                                     MessageButtons::YesNo),
                MessageAnswer::No)
          << "the safe answer";
      EXPECT_FALSE(MessageBoxOpen());
      break;
    }
  }
  ASSERT_TRUE(WaitUntil([&] { return !window_->isVisible(); }));
  EXPECT_FALSE(window_->link().portOpen());
  EXPECT_FALSE(window_->link().receiveThreadRunning());
  window_.reset();
  const std::string settings = ReadSettings();
  EXPECT_NE(settings.find("P1=11 22 33 44 55 66 77 88"), std::string::npos) << settings;
  EXPECT_NE(settings.find("port=" + peer_.slavePath()), std::string::npos);
}

std::string EndWayName(const ::testing::TestParamInfo<EndWay>& info) {
  const char* const names[] = {"CloseBox", "Escape", "FileExit", "Terminate",
                               "TerminateDuringQuestion"};
  return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Ways, EndingTest,
                         ::testing::Values(EndWay::CloseBox, EndWay::Escape, EndWay::FileExit,
                                           EndWay::Terminate, EndWay::TerminateDuringQuestion),
                         EndWayName);

}  // namespace
}  // namespace torvane::test
