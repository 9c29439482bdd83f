#include <gtest/gtest.h>
#include <unistd.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <csignal>
#include <filesystem>
#include <string>

#include "app/termination_notifier.h"
#include "link/i2_dlg.h"
#include "link/interface_texts.h"
#include "link/port_info_dlg.h"
#include "res/interface_dialog_template.h"
#include "station_with_reader_fixture.h"
#include "support/dialog_operator.h"

namespace torvane::test {
namespace {

QComboBox* Combo(CI2Dlg& dialog, int id) {
  return dialog.findChild<QComboBox*>(QString::number(id));
}

struct Shown {
  InterfaceTexts texts;
  // The selected entry of each combo box, or -1 where the text is in the edit field only.
  int port, baudRate, dataBits, parity, stopBits, flowControl;
};

Shown ShownIn(CI2Dlg& dialog) {
  auto text = [&](int id) { return Combo(dialog, id)->currentText().toStdString(); };
  auto entry = [&](int id) { return Combo(dialog, id)->currentIndex(); };
  return {{text(ids::kPortCombo), text(ids::kBaudRateCombo), text(ids::kDataBitsCombo),
           text(ids::kParityCombo), text(ids::kStopBitsCombo), text(ids::kFlowControlCombo)},
          entry(ids::kPortCombo),
          entry(ids::kBaudRateCombo),
          entry(ids::kDataBitsCombo),
          entry(ids::kParityCombo),
          entry(ids::kStopBitsCombo),
          entry(ids::kFlowControlCombo)};
}

// Chooses the entry of that text, or types the text when the list has none.
void Choose(CI2Dlg& dialog, int id, const std::string& text) {
  QComboBox* combo = Combo(dialog, id);
  const int entry = combo->findText(QString::fromStdString(text), Qt::MatchExactly);
  if (entry >= 0) {
    combo->setCurrentIndex(entry);
    return;
  }
  combo->clearEditText();
  combo->setFocus();
  for (char c : text) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(c)));
    QApplication::sendEvent(combo->lineEdit(), &key);
  }
}

void Press(CI2Dlg& dialog, int buttonId) {
  dialog.findChild<QPushButton*>(QString::number(buttonId))->click();
}

class InterfaceSettingsTest : public StationWithReaderTest {
 protected:
  // Chooses "Interface" > "Settings" and works the dialog; false when no dialog came.
  bool Settings(const std::function<void(CI2Dlg&)>& operate) {
    DialogOperator<CI2Dlg> dialogOperator(operate);
    Action(ids::kMenuInterfaceSettings)->trigger();
    return dialogOperator.operated();
  }
  // Opens the dialog, notes what it shows and ends it with Cancel.
  Shown Look() {
    Shown shown{};
    EXPECT_TRUE(Settings([&](CI2Dlg& dialog) {
      shown = ShownIn(dialog);
      Press(dialog, ids::kCancel);
    }));
    return shown;
  }

  void WriteInterface(const std::string& lines) {
    const std::string text = "[Interface]\r\n" + lines;
    QFile file(directory_.filePath("Torvane.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
  }

  // Reads the UID through the station and tells whether this reader answered.
  bool TalksTo(sim::ReaderSimulator& reader) {
    const std::size_t before = reader.ReceivedCommands().size();
    Control<CEnterEdit>(ids::kUidField)->clear();
    Click(ids::kReadUidButton);
    const std::string uid = Text(ids::kUidField);
    const std::vector<std::string> commands = reader.ReceivedCommands();
    return commands.size() > before && commands.back() == "RUID" && reader.OnAntenna() &&
           uid == reader.OnAntenna()->uid;
  }

  bool LinkWorks() const {
    return window_->link().portOpen() && window_->link().receiveThreadRunning() &&
           window_->timerRunning(CVexaDlg::kCycleTimer) &&
           window_->timerRunning(CVexaDlg::kMessageTimer);
  }
};

TEST_F(InterfaceSettingsTest, WhileTheDialogIsOpenThePortIsClosedAndTheTimersStand) {
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  bool portOpen = true;
  bool timerRunning = true;
  ASSERT_TRUE(Settings([&](CI2Dlg& dialog) {
    portOpen = window_->link().portOpen();
    timerRunning = window_->timerRunning(CVexaDlg::kCycleTimer) ||
                   window_->timerRunning(CVexaDlg::kMessageTimer);
    Press(dialog, ids::kCancel);
  }));
  EXPECT_FALSE(portOpen);
  EXPECT_FALSE(timerRunning);
  EXPECT_TRUE(LinkWorks());
}

TEST_F(InterfaceSettingsTest, CancelReopensWithTheOldSettings) {
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  ASSERT_TRUE(Settings([](CI2Dlg& dialog) {
    Choose(dialog, ids::kPortCombo, "/dev/torvane-no-such-port");
    Choose(dialog, ids::kBaudRateCombo, "9600");
    Choose(dialog, ids::kParityCombo, "Odd");
    Press(dialog, ids::kCancel);
  }));
  EXPECT_EQ(window_->state().serial.portName, simulator_->devicePath());
  EXPECT_EQ(window_->state().serial.baudRate, 115200);
  EXPECT_EQ(window_->state().serial.parityCode, 0);
  EXPECT_TRUE(answerer_->seen().empty());
  EXPECT_TRUE(LinkWorks());
  EXPECT_TRUE(TalksTo(*simulator_));
}

TEST_F(InterfaceSettingsTest, OkMovesTheStationToAnotherReaderAtOnce) {
  sim::SimOptions options;
  options.firstUid = 0xE0070001;
  auto second = sim::ReaderSimulator::Start(options);
  ASSERT_TRUE(second.ok()) << second.error;
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  ASSERT_TRUE(TalksTo(*simulator_));

  ASSERT_TRUE(Settings([&](CI2Dlg& dialog) {
    Choose(dialog, ids::kPortCombo, second.value->devicePath());
    Press(dialog, ids::kOk);
  }));
  EXPECT_TRUE(answerer_->seen().empty());
  EXPECT_TRUE(LinkWorks());
  const std::size_t firstReaderCommands = simulator_->ReceivedCommands().size();
  EXPECT_TRUE(TalksTo(*second.value));
  EXPECT_EQ(simulator_->ReceivedCommands().size(), firstReaderCommands);

  window_->close();
  window_.reset();
  EXPECT_NE(ReadSettings().find("port=" + second.value->devicePath() + "\r\n"), std::string::npos);
}

TEST_F(InterfaceSettingsTest, SettingsOpenAsTheirEntries) {
  struct Case {
    const char* name;
    std::string settings;  // of [Interface]; empty: no settings file
    Shown shown;
  };
  const Case cases[] = {
      {"no settings file", "", {{"", "0", "0", "None", "1", "No"}, -1, -1, -1, 0, 0, 0}},
      {"mark, 1.5, hardware",
       "port=ttyUSB9\r\nBaudrate=1200\r\nDatabits=7\r\nStopbits=1.5\r\nParity=Mark\r\n"
       "Flowcontrol=Hardware\r\n",
       {{"ttyUSB9", "1200", "7", "Mark", "1.5", "Hardware"}, -1, 3, 3, 3, 1, 2}},
      {"odd, 2, xon / xoff, a rate not in the list",
       "port=ttyS0\r\nBaudrate=250000\r\nDatabits=8\r\nStopbits=2\r\nParity=Odd\r\n"
       "Flowcontrol=Xon / Xoff\r\n",
       {{"ttyS0", "250000", "8", "Odd", "2", "Xon / Xoff"}, -1, -1, 4, 1, 2, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(directory_.filePath("Torvane.ini"));
    if (!c.settings.empty()) WriteInterface(c.settings);
    ASSERT_NO_FATAL_FAILURE(Start());
    // None of these ports opens; the dialog comes all the same.
    ASSERT_EQ(answerer_->seen().size(), 1u);
    EXPECT_FALSE(window_->link().portOpen());
    const Shown shown = Look();
    EXPECT_EQ(shown.texts, c.shown.texts);
    EXPECT_EQ(std::vector<int>({shown.port, shown.baudRate, shown.dataBits, shown.parity,
                                shown.stopBits, shown.flowControl}),
              std::vector<int>({c.shown.port, c.shown.baudRate, c.shown.dataBits, c.shown.parity,
                                c.shown.stopBits, c.shown.flowControl}));
    window_.reset();
    answerer_.emplace();
  }
}

TEST_F(InterfaceSettingsTest, OnlyExactCaptionsCountAfterOk) {
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  ASSERT_TRUE(Settings([](CI2Dlg& dialog) {
    Choose(dialog, ids::kParityCombo, "even");
    Choose(dialog, ids::kFlowControlCombo, "hardware");
    Press(dialog, ids::kOk);
  }));
  EXPECT_EQ(window_->state().serial.parityCode, 0);
  EXPECT_EQ(window_->state().serial.flowControlCode, 0);
  const Shown next = Look();
  EXPECT_EQ(next.texts.parity, "None");
  EXPECT_EQ(next.texts.flowControl, "No");
  EXPECT_TRUE(TalksTo(*simulator_));
}

TEST_F(InterfaceSettingsTest, ATypedRateNotInTheListIsUsedUnchanged) {
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  ASSERT_TRUE(Settings([](CI2Dlg& dialog) {
    Choose(dialog, ids::kBaudRateCombo, "250000");
    Press(dialog, ids::kOk);
  }));
  EXPECT_EQ(window_->state().serial.baudRate, 250000);
  // A pseudo-terminal takes any rate, as a USB adapter takes most.
  EXPECT_TRUE(answerer_->seen().empty());
  EXPECT_TRUE(TalksTo(*simulator_));
  const Shown next = Look();
  EXPECT_EQ(next.texts.baudRate, "250000");
  EXPECT_EQ(next.baudRate, -1);
}

TEST_F(InterfaceSettingsTest, APortThatCannotBeUsedIsReportedWithTheReason) {
  struct Case {
    const char* name;
    std::string port;  // empty: the simulator's
    std::string dataBits;
    std::string reason;
  };
  const Case cases[] = {
      {"no such device", "/dev/torvane-no-such-port", "8",
       "Cannot open /dev/torvane-no-such-port: No such file or directory."},
      {"not a terminal", "/dev/null", "8", "Cannot open /dev/null: Inappropriate ioctl"},
      {"parameters refused", "", "7", "refused"},
  };
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string port = c.port.empty() ? simulator_->devicePath() : c.port;
    ASSERT_TRUE(Settings([&](CI2Dlg& dialog) {
      Choose(dialog, ids::kPortCombo, port);
      Choose(dialog, ids::kDataBitsCombo, c.dataBits);
      Press(dialog, ids::kOk);
    }));
    ASSERT_EQ(answerer_->seen().size(), 1u);
    const auto& message = answerer_->seen()[0];
    EXPECT_EQ(message.caption, "Torvane");
    EXPECT_EQ(message.icon, QMessageBox::Critical);
    EXPECT_TRUE(message.text.starts_with(port + " could not be opened!\n\n")) << message.text;
    EXPECT_NE(message.text.find(c.reason), std::string::npos) << message.text;
    EXPECT_FALSE(window_->link().portOpen());
    EXPECT_TRUE(window_->timerRunning(CVexaDlg::kCycleTimer));
    EXPECT_TRUE(window_->timerRunning(CVexaDlg::kMessageTimer));
    answerer_.emplace();
  }
  // Back on the reader with parameters it takes.
  ASSERT_TRUE(Settings([&](CI2Dlg& dialog) {
    Choose(dialog, ids::kPortCombo, simulator_->devicePath());
    Choose(dialog, ids::kDataBitsCombo, "8");
    Press(dialog, ids::kOk);
  }));
  EXPECT_TRUE(answerer_->seen().empty());
  EXPECT_TRUE(TalksTo(*simulator_));
}

// The station's descriptor of the simulator's device, found as the system lists it.
int StationDescriptorOf(const std::string& devicePath) {
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
  const int descriptor = StationDescriptorOf(simulator_->devicePath());
  ASSERT_GE(descriptor, 0);
  ASSERT_EQ(close(descriptor), 0);
  EXPECT_FALSE(Settings([](CI2Dlg& dialog) { Press(dialog, ids::kCancel); }));
  ASSERT_EQ(answerer_->seen().size(), 1u);
  EXPECT_EQ(answerer_->seen()[0].text, "Can't close COM Port.");
  EXPECT_EQ(answerer_->seen()[0].caption, "Torvane");
  EXPECT_TRUE(window_->timerRunning(CVexaDlg::kCycleTimer));
  EXPECT_TRUE(window_->timerRunning(CVexaDlg::kMessageTimer));

  // Linux has let go of the descriptor all the same: the next try works.
  ASSERT_TRUE(Settings([](CI2Dlg& dialog) { Press(dialog, ids::kCancel); }));
  EXPECT_TRUE(LinkWorks());
  EXPECT_TRUE(TalksTo(*simulator_));
}

TEST_F(InterfaceSettingsTest, EndingFromInsideTheDialogLeavesThePortClosed) {
  TerminationNotifier termination;
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  QObject::connect(&termination, &TerminationNotifier::TerminationRequested, window_.get(),
                   &CVexaDlg::EndOnSignal);
  ASSERT_TRUE(Settings([](CI2Dlg& dialog) {
    Choose(dialog, ids::kPortCombo, "/dev/torvane-no-such-port");
    std::raise(SIGTERM);
  }));
  ASSERT_TRUE(WaitUntil([&] { return !window_->isVisible(); }));
  EXPECT_FALSE(window_->link().portOpen());
  EXPECT_TRUE(answerer_->seen().empty());
  window_.reset();
  EXPECT_NE(ReadSettings().find("port=" + simulator_->devicePath() + "\r\n"), std::string::npos);
}

TEST_F(InterfaceSettingsTest, DeviceManagerShowsOnePortInformationWindow) {
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  for (int time = 0; time < 2; ++time) Action(ids::kMenuDeviceManager)->trigger();
  int shown = 0;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* information = dynamic_cast<CPortInfoDlg*>(window);
    if (information != nullptr && information->isVisible()) {
      ++shown;
      EXPECT_EQ(information->windowTitle(), "Serial Ports");
    }
  }
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(LinkWorks());
}

}  // namespace
}  // namespace torvane::test
