#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <csignal>

#include "app/about_dlg.h"
#include "app/termination_notifier.h"
#include "controls/color_label.h"
#include "controls/enter_edit.h"
#include "controls/image_button.h"
#include "res/control_ids.h"
#include "station_window_fixture.h"

namespace torvane::test {
namespace {

void PressEnter(QWidget* target) {
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(target, &press);
}

using MainWindowTest = StationWindowTest;

TEST_F(MainWindowTest, StartWithoutSettingsReportsThePortAndWorksWithoutIt) {
  Start();
  ASSERT_EQ(answerer_->seen().size(), 1u);
  EXPECT_EQ(answerer_->seen()[0].text, " could not be opened!");
  EXPECT_EQ(answerer_->seen()[0].caption, "Error");
  EXPECT_EQ(answerer_->seen()[0].icon, QMessageBox::Critical);

  EXPECT_TRUE(window_->isVisible());
  EXPECT_EQ(window_->windowTitle(), "Torvane");
  EXPECT_EQ(window_->size(), QSize(799, 461));
  EXPECT_FALSE(Action(ids::kMenuTerminalShow)->isChecked());
  EXPECT_FALSE(window_->link().portOpen());
  EXPECT_EQ(window_->state().reader.answerUnit, 160);
  EXPECT_TRUE(window_->timerRunning(CVexaDlg::kCycleTimer));
  EXPECT_TRUE(window_->timerRunning(CVexaDlg::kMessageTimer));
}

TEST_F(MainWindowTest, SettingsFillTheFieldsAndTheImages) {
  WriteSettings(
      "[Data]\r\nSelectP3=1\r\nFormat=0\r\nP2=00 11 22 33 44 55 66 77\r\n"
      "[Manual]\r\nType=1\r\nLog=1\r\nCarrier ID=ABC\r\n");
  Start();
  EXPECT_EQ(Control<QLineEdit>(ids::kPageField[1])->text(), "00 11 22 33 44 55 66 77");
  EXPECT_EQ(Control<QLineEdit>(ids::kCarrierIdField)->text(), "ABC");
  struct ImageCase {
    int id;
    bool set;
  };
  for (ImageCase image : {ImageCase{ids::kPageCheck[2], true},
                          {ids::kPageCheck[3], false},
                          {ids::kAllPagesCheck, false},
                          {ids::kHexButton, true},
                          {ids::kAsciiButton, false},
                          {ids::kManualModeButton, true},
                          {ids::kConfigModeButton, false},
                          {ids::kTiButton, true},
                          {ids::kQuorviButton, false},
                          {ids::kLogCheck, true}}) {
    auto* button = Control<ImageButton>(image.id);
    ASSERT_NE(button, nullptr) << image.id;
    EXPECT_TRUE(button->showsAnImage()) << image.id;
    EXPECT_EQ(button->showsSetImage(), image.set) << image.id;
  }
}

TEST_F(MainWindowTest, LabelsAreWhiteOnBlackAndFieldsWhite) {
  Start();
  for (int id : {ids::kAllPagesLabel, ids::kFirstPageCheckLabel, ids::kFirstPageRoleLabel + 16,
                 ids::kHexLabel, ids::kConfigSetName, ids::kTiLabel, ids::kLogLabel}) {
    auto* label = Control<CColorLabel>(id);
    ASSERT_NE(label, nullptr) << id;
    EXPECT_EQ(label->colorStyle().textColour(), colour::kWhite) << id;
    EXPECT_EQ(label->colorStyle().backgroundColour(), colour::kBlack) << id;
  }
  for (int id : {ids::kPageField[0], ids::kPageField[16], ids::kUidField, ids::kMaxField,
                 ids::kCarrierIdOffsetField}) {
    auto* field = Control<CEnterEdit>(id);
    ASSERT_NE(field, nullptr) << id;
    EXPECT_EQ(field->colorStyle().backgroundColour(), colour::kWhite) << id;
  }
}

TEST_F(MainWindowTest, ImageButtonsReachTheirHandlers) {
  WriteSettings("[Manual]\r\nType=1\r\n");
  Start();
  struct Case {
    int pressed;
    int shownSet;
    int shownClear;
  };
  for (Case c : {Case{ids::kQuorviButton, ids::kQuorviButton, ids::kTiButton},
                 Case{ids::kTiButton, ids::kTiButton, ids::kQuorviButton},
                 Case{ids::kPageCheck[4], ids::kPageCheck[4], ids::kAllPagesCheck},
                 Case{ids::kAsciiButton, ids::kAsciiButton, ids::kHexButton},
                 Case{ids::kHexButton, ids::kHexButton, ids::kAsciiButton}}) {
    Control<QAbstractButton>(c.pressed)->click();
    EXPECT_TRUE(Control<ImageButton>(c.shownSet)->showsSetImage()) << c.pressed;
    EXPECT_FALSE(Control<ImageButton>(c.shownClear)->showsSetImage()) << c.pressed;
  }
  EXPECT_EQ(window_->state().reader.tiSelected, 1);
  EXPECT_EQ(window_->state().pages.pageSelected[4], 1);
  EXPECT_EQ(window_->state().pages.displayForm, PageForm::Hex);
}

TEST_F(MainWindowTest, EnterInAFieldWithoutEnterMovesTheFocusToOne) {
  Start();
  QWidget* allCheck = Control(ids::kAllPagesCheck);
  allCheck->setFocus();
  ASSERT_TRUE(WaitUntil([&] { return allCheck->hasFocus(); }));
  PressEnter(allCheck);
  EXPECT_EQ(window_->focusWidget(), Control(ids::kOneButton));
  EXPECT_TRUE(window_->isVisible());
}

TEST_F(MainWindowTest, EnterInAPageFieldReachesThePageEditor) {
  Start();
  auto* field = Control<CEnterEdit>(ids::kPageField[3]);
  field->setFocus();
  field->setText("0011223344556677");
  PressEnter(field);
  EXPECT_EQ(field->text(), "00 11 22 33 44 55 66 77");
  EXPECT_EQ(field->colorStyle().backgroundColour(), colour::kGreen);
  EXPECT_TRUE(window_->state().pages.enterPending);
  EXPECT_TRUE(window_->isVisible());
}

TEST_F(MainWindowTest, EnterInTheCounterAndUidFieldsDoesNothing) {
  Start();
  for (int id : {ids::kCarrierIdOffsetField, ids::kMaxField, ids::kUidField}) {
    auto* field = Control<CEnterEdit>(id);
    field->setFocus();
    field->setText("12");
    PressEnter(field);
    EXPECT_EQ(field->text(), "12") << id;
    EXPECT_EQ(window_->focusWidget(), field) << id;
  }
  EXPECT_TRUE(window_->isVisible());
}

TEST_F(MainWindowTest, MessageTimerServesFocusRequestsInPageOrder) {
  struct Case {
    int configMode;
    int expectedFocus;
  };
  Start();
  for (Case c : {Case{0, ids::kPageField[5]}, Case{1, ids::kOneButton}}) {
    window_->state().setInUse.configMode = c.configMode;
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
        auto* about = dynamic_cast<CAboutDlg*>(window);
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

// Every way of ending the window: the port is closed before the window object
// goes, and the settings, with what was typed, are written when it goes.
enum class EndWay { CloseBox, Escape, FileExit, Terminate };

class EndingTest : public StationWindowTest, public ::testing::WithParamInterface<EndWay> {};

TEST_P(EndingTest, ClosesThePortAndWritesTheSettings) {
  WriteSettingsForPeer();
  TerminationNotifier termination;
  Start();
  QObject::connect(&termination, &TerminationNotifier::TerminationRequested, window_.get(),
                   &CVexaDlg::EndOnSignal);
  ASSERT_TRUE(window_->link().portOpen());
  Control<QLineEdit>(ids::kPageField[0])->setText("11 22 33 44 55 66 77 88");
  switch (GetParam()) {
    case EndWay::CloseBox:
      window_->close();
      break;
    case EndWay::Escape: {
      QWidget* button = Control(ids::kReadButton);
      QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QApplication::sendEvent(button, &escape);
      break;
    }
    case EndWay::FileExit:
      Action(ids::kMenuExit)->trigger();
      break;
    case EndWay::Terminate:
      std::raise(SIGTERM);
      break;
  }
  ASSERT_TRUE(WaitUntil([&] { return !window_->isVisible(); }));
  EXPECT_FALSE(window_->link().portOpen());
  EXPECT_FALSE(window_->link().receiveThreadRunning());
  window_.reset();
  std::string settings = ReadSettings();
  EXPECT_NE(settings.find("P1=11 22 33 44 55 66 77 88"), std::string::npos) << settings;
  EXPECT_NE(settings.find("port=" + peer_.slavePath()), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Ways, EndingTest,
                         ::testing::Values(EndWay::CloseBox, EndWay::Escape, EndWay::FileExit,
                                           EndWay::Terminate));

TEST_F(MainWindowTest, SettingsAreWrittenWhenThePortWasNeverOpened) {
  Start();
  window_->close();
  window_.reset();
  EXPECT_NE(ReadSettings().find("[Interface]"), std::string::npos);
}

TEST_F(MainWindowTest, TerminationEndsTheWindowWhileAMessageBoxIsOpen) {
  answerer_.reset();
  WriteSettingsForPeer();
  TerminationNotifier termination;
  Start();
  QObject::connect(&termination, &TerminationNotifier::TerminationRequested, window_.get(),
                   &CVexaDlg::EndOnSignal);
  auto boxOpen = [] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (qobject_cast<QMessageBox*>(window) != nullptr && window->isVisible()) return true;
    }
    return false;
  };
  // The box runs its own loop: the signal has to come from inside it.
  bool raised = false;
  QTimer terminator;
  QObject::connect(&terminator, &QTimer::timeout, [&] {
    if (raised || !boxOpen()) return;
    raised = true;
    std::raise(SIGTERM);
  });
  terminator.start(5);
  MessageAnswer answer = MessageAnswer::Yes;
  QTimer::singleShot(0, window_.get(), [&] {
    answer =
        window_->ShowMessage("Overwrite?", "Torvane", MessageIcon::Question, MessageButtons::YesNo);
  });
  ASSERT_TRUE(WaitUntil([&] { return !window_->isVisible(); }));
  EXPECT_TRUE(raised);
  EXPECT_FALSE(boxOpen());
  EXPECT_EQ(answer, MessageAnswer::No) << "the safe answer";
  EXPECT_FALSE(window_->link().portOpen());
  window_.reset();
  EXPECT_NE(ReadSettings().find("[Interface]"), std::string::npos);
}

}  // namespace
}  // namespace torvane::test
