#include <gtest/gtest.h>
#include <unistd.h>

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "app/termination_notifier.h"
#include "res/interface_dialog_template.h"
#include "station_with_reader_fixture.h"
#include "support/dialog_operator.h"
#include "windows/interface_dialog.h"
#include "windows/port_info_dialog.h"

namespace torvane::test {
namespace {

constexpr int kCombos[] = {ids::kPortCombo,   ids::kBaudRateCombo, ids::kDataBitsCombo,
                           ids::kParityCombo, ids::kStopBitsCombo, ids::kFlowControlCombo};

QComboBox* Combo(InterfaceDialog& dialog, int id) {
  return dialog.findChild<QComboBox*>(QString::number(id));
}

// What each combo box shows, and its selected entry (-1: the text is typed).
struct Shown {
  std::vector<std::string> texts;
  std::vector<int> entries;
};

// Chooses the entry of that text, or types the text when the list has none.
void Choose(InterfaceDialog& dialog, int id, const std::string& text) {
  QComboBox* combo = Combo(dialog, id);
  const int entry = combo->findText(QString::fromStdString(text), Qt::MatchExactly);
  if (entry >= 0) {
    combo->setCurrentIndex(entry);
    return;
  }
  combo->clearEditText();
  for (char c : text) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(c)));
    QApplication::sendEvent(combo->lineEdit(), &key);
  }
}

void Press(InterfaceDialog& dialog, int buttonId) {
  dialog.findChild<QPushButton*>(QString::number(buttonId))->click();
}

class InterfaceSettingsTest : public StationWithReaderTest {
 protected:
  // Chooses "Interface" > "Settings" and works the dialog; false when no dialog came.
  bool Settings(const std::function<void(InterfaceDialog&)>& operate) {
    DialogOperator<InterfaceDialog> dialogOperator(operate);
    Action(ids::kMenuInterfaceSettings)->trigger();
    return dialogOperator.operated();
  }
  bool SettingsOk(const std::vector<std::pair<int, std::string>>& choices) {
    return Settings([&](InterfaceDialog& dialog) {
      for (const auto& [id, text] : choices) Choose(dialog, id, text);
      Press(dialog, ids::kOk);
    });
  }
  // Opens the dialog, notes what it shows and ends it with Cancel.
  Shown Look() {
    Shown shown;
    EXPECT_TRUE(Settings([&](InterfaceDialog& dialog) {
      for (int id : kCombos) {
        shown.texts.push_back(Combo(dialog, id)->currentText().toStdString());
        shown.entries.push_back(Combo(dialog, id)->currentIndex());
      }
      Press(dialog, ids::kCancel);
    }));
    return shown;
  }

  // Reads the UID through the station and tells whether this reader answered.
  bool TalksTo(sim::ReaderSimulator& reader) {
    Control<EnterEdit>(ids::kUidField)->clear();
    Click(ids::kReadUidButton);
    const std::vector<std::string> commands = reader.ReceivedCommands();
    return !commands.empty() && commands.back() == "RUID" &&
           Text(ids::kUidField) == reader.OnAntenna().value_or(sim::Transponder{}).uid;
  }
  bool TimersRun() const {
    return window_->timerRunning(MainWindow::kCycleTimer) &&
           window_->timerRunning(MainWindow::kMessageTimer);
  }
};

TEST_F(InterfaceSettingsTest, CancelReopensWithTheOldSettings) {
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  bool closedAndStill = false;
  ASSERT_TRUE(Settings([&](InterfaceDialog& dialog) {
    closedAndStill = !window_->link().portOpen() &&
                     !window_->timerRunning(MainWindow::kCycleTimer) &&
                     !window_->timerRunning(MainWindow::kMessageTimer);
    Choose(dialog, ids::kPortCombo, "/dev/torvane-no-such-port");
    Choose(dialog, ids::kParityCombo, "Odd");
    Press(dialog, ids::kCancel);
  }));
  EXPECT_TRUE(closedAndStill) << "the port is closed and the timers stand while it is open";
  EXPECT_EQ(window_->state().serial.portName, simulator_->devicePath());
  EXPECT_EQ(window_->state().serial.parityCode, 0);
  EXPECT_TRUE(answerer_->seen().empty());
  EXPECT_TRUE(TimersRun());
  EXPECT_TRUE(TalksTo(*simulator_));
}

TEST_F(InterfaceSettingsTest, OkMovesTheStationToAnotherReaderAtOnce) {
  sim::SimOptions options;
  options.firstUid = 0xE0070001;
  auto second = sim::ReaderSimulator::Start(options);
  ASSERT_TRUE(second.ok()) << second.error;
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  ASSERT_TRUE(SettingsOk({{ids::kPortCombo, second.value->devicePath()}}));
  EXPECT_TRUE(answerer_->seen().empty());
  EXPECT_TRUE(TimersRun());
  EXPECT_TRUE(TalksTo(*second.value));
  EXPECT_TRUE(simulator_->ReceivedCommands().empty());

  window_->close();
  window_.reset();
  EXPECT_NE(ReadSettings().find("port=" + second.value->devicePath() + "\r\n"), std::string::npos);
}

// None of these ports opens at start-up; the dialog comes all the same.
TEST_F(InterfaceSettingsTest, SettingsOpenAsTheirEntries) {
  struct Case {
    std::string settings;  // of [Interface]; empty: no settings file
    Shown shown;
  };
  const Case cases[] = {
      {"", {{"", "0", "0", "None", "1", "No"}, {-1, -1, -1, 0, 0, 0}}},
      {"port=ttyUSB9\r\nBaudrate=1200\r\nDatabits=7\r\nStopbits=1.5\r\nParity=Mark\r\n"
       "Flowcontrol=Hardware\r\n",
       {{"ttyUSB9", "1200", "7", "Mark", "1.5", "Hardware"}, {-1, 3, 3, 3, 1, 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings);
    QFile file(directory_.filePath("Torvane.ini"));
    file.remove();
    if (!c.settings.empty()) {
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(QByteArray::fromStdString("[Interface]\r\n" + c.settings));
      file.close();
    }
    answerer_.emplace();
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(answerer_->seen().size(), 1u);
    const Shown shown = Look();
    EXPECT_EQ(shown.texts, c.shown.texts);
    EXPECT_EQ(shown.entries, c.shown.entries);
    window_.reset();
  }
}

TEST_F(InterfaceSettingsTest, OkTakesExactCaptionsOnlyAndTypedRatesAsTheyAre) {
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  ASSERT_TRUE(SettingsOk({{ids::kParityCombo, "even"}, {ids::kBaudRateCombo, "250000"}}));
  EXPECT_EQ(window_->state().serial.parityCode, 0);
  EXPECT_EQ(window_->state().serial.baudRate, 250000);
  const Shown next = Look();
  EXPECT_EQ(next.texts[3], "None");
  EXPECT_EQ(next.texts[1], "250000");
  EXPECT_EQ(next.entries[1], -1);
  // A pseudo-terminal takes any rate, as most USB adapters do.
  EXPECT_TRUE(answerer_->seen().empty());
  EXPECT_TRUE(TalksTo(*simulator_));
}

TEST_F(InterfaceSettingsTest, APortThatCannotBeUsedIsReportedWithTheReason) {
  struct Case {
    std::string port;  // empty: the simulator's
    std::string dataBits;
    std::string reason;
  };
  const Case cases[] = {
      {"/dev/torvane-no-such-port", "8",
       "Cannot open /dev/torvane-no-such-port: No such file or directory."},
      {"/dev/null", "8", "Cannot open /dev/null: Inappropriate ioctl"},
      {"", "7", "refused"},  // a port that took no parameters would stay silent
  };
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  for (const Case& c : cases) {
    const std::string port = c.port.empty() ? simulator_->devicePath() : c.port;
    SCOPED_TRACE(port);
    answerer_.emplace();
    ASSERT_TRUE(SettingsOk({{ids::kPortCombo, port}, {ids::kDataBitsCombo, c.dataBits}}));
    ASSERT_EQ(answerer_->seen().size(), 1u);
    const auto& message = answerer_->seen()[0];
    EXPECT_EQ(message.caption, "Torvane");
    EXPECT_EQ(message.icon, QMessageBox::Critical);
    EXPECT_TRUE(message.text.starts_with(port + " could not be opened!\n\n")) << message.text;
    EXPECT_NE(message.text.find(c.reason), std::string::npos) << message.text;
    EXPECT_FALSE(window_->link().portOpen());
    EXPECT_TRUE(TimersRun());
  }
}

// The station's descriptor of a device, found as the system lists it.
int DescriptorOf(const std::string& devicePath) {
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (std::filesystem::read_symlink(entry.path(), error) == devicePath) {
      return std::stoi(entry.path().filename().string());
    }
  }
  return -1;
}

TEST_F(InterfaceSettingsTest, APortThatCannotBeClosedGetsNoDialog) {
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  // Closed behind the station's back, the descriptor fails the station's close.
  const int descriptor = DescriptorOf(simulator_->devicePath());
  ASSERT_GE(descriptor, 0);
  ASSERT_EQ(close(descriptor), 0);
  EXPECT_FALSE(Settings([](InterfaceDialog& dialog) { Press(dialog, ids::kCancel); }));
  ASSERT_EQ(answerer_->seen().size(), 1u);
  EXPECT_EQ(answerer_->seen()[0].text, "Can't close COM Port.");
  EXPECT_EQ(answerer_->seen()[0].caption, "Torvane");
  EXPECT_TRUE(TimersRun());

  // Linux has let go of the descriptor all the same: the next try works.
  ASSERT_TRUE(Settings([](InterfaceDialog& dialog) { Press(dialog, ids::kCancel); }));
  EXPECT_TRUE(TalksTo(*simulator_));
}

TEST_F(InterfaceSettingsTest, EndingFromInsideTheDialogLeavesThePortClosed) {
  TerminationNotifier termination;
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  QObject::connect(&termination, &TerminationNotifier::TerminationRequested, window_.get(),
                   &MainWindow::EndOnSignal);
  ASSERT_TRUE(Settings([](InterfaceDialog&) { std::raise(SIGTERM); }));
  ASSERT_TRUE(WaitUntil([&] { return !window_->isVisible(); }));
  EXPECT_FALSE(window_->link().portOpen());
  EXPECT_TRUE(answerer_->seen().empty());
}

TEST_F(InterfaceSettingsTest, DeviceManagerShowsOnePortInformationWindow) {
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  for (int time = 0; time < 2; ++time) Action(ids::kMenuDeviceManager)->trigger();
  int shown = 0;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* information = dynamic_cast<PortInfoDialog*>(window);
    if (information != nullptr && information->isVisible()) ++shown;
  }
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(window_->link().portOpen());
}

}  // namespace
}  // namespace torvane::test
