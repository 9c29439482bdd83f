// The outcome panel of the main window, and a reader that goes away and comes
// back, through the station window offscreen against the reader simulator.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <cstdlib>
#include <string>

#include "config/set_file.h"
#include "controls/color_style.h"
#include "production/production_messages.h"
#include "station_with_reader_fixture.h"
#include "windows/outcome_panel.h"

namespace torvane::test {
namespace {

class OutcomePanelTest : public StationWithReaderTest {
 protected:
  // Carrier IDs 41, 42, ... of 8 digits in page 1, locked after writing.
  void StartCounterRun(const std::string& port) {
    ConfigurationSet set;
    set.quantity = "100";
    set.carrierIdOffset = "0";
    set.carrierIdLength = "8";
    set.memoryPage = "1";
    set.typeTi = true;
    set.byteHex.fill("00");
    set.byteAscii.fill("NUL");
    set.lockPage[0] = true;
    set.counterPage = "None";
    set.sourceDecimalCounter = true;
    set.carrierId = "41";
    const std::string file = directory_.filePath("Lot.ini").toStdString();
    ASSERT_TRUE(SaveSetFile(file, set).ok());
    WriteSettingsForPort(port,
                         "[Auto]\r\nSelectConfig=1\r\nPruefablauf_ist=Lot\r\nPruefablaeufe=1\r\n"
                         "Pruefablauf_0=Lot\r\nCarrier ID Max=1000\r\n");
    Start();
    ASSERT_TRUE(window_->link().portOpen()) << window_->link().lastError();
  }

  QLabel* Label(const char* name) const { return window_->findChild<QLabel*>(name); }
  std::string Shown(const char* name) const { return Label(name)->text().toStdString(); }
  std::uint32_t VerdictColour() const {
    return RefFromColour(Label("resultText")->palette().color(QPalette::Window));
  }
  bool Shows(const char* verdict) const { return Shown("resultText") == verdict; }

  // Pictures of the window to look at, where TORVANE_SHOTS names a folder.
  void Snapshot(const std::string& state) const {
    const char* folder = std::getenv("TORVANE_SHOTS");
    if (folder == nullptr) return;
    window_->grab().save(QString::fromStdString(std::string(folder) + "/" + state + ".png"));
  }
};

TEST_F(OutcomePanelTest, PassThenFailThenPassWithTheirTextsColoursAndCounters) {
  ASSERT_NO_FATAL_FAILURE(StartCounterRun(simulator_->devicePath()));
  EXPECT_EQ(Shown("remainingCount"), "left 960");
  EXPECT_TRUE(Shows("READY"));
  EXPECT_EQ(Shown("resultReason"), "Place a transponder and press One");
  Snapshot("ready");
  Click(ids::kOneButton);
  ASSERT_TRUE(WaitUntil([this] { return Shows("PASS"); }));
  EXPECT_EQ(VerdictColour(), colour::kGreen);
  EXPECT_EQ(Shown("resultCarrierId"), "00000041");
  EXPECT_EQ(Shown("resultReason"), "");
  EXPECT_EQ(Shown("goodCount"), "good 1 (set 1)");
  EXPECT_EQ(Shown("failedCount"), "failed 0 (set 0)");
  EXPECT_EQ(Shown("remainingCount"), "left 959");
  EXPECT_EQ(PageColour(1), colour::kGreen);
  Snapshot("pass");

  simulator_->PlaceBlankTransponder();
  simulator_->NakPage(1);
  // The failure's message opens while the cycle runs.
  bool busyInCycle = false;
  answerer_.emplace(QMessageBox::Ok, [&](const MessageBoxAnswerer::Seen&) {
    busyInCycle = Shows("BUSY");
    Snapshot("busy");
  });
  Click(ids::kOneButton);
  ASSERT_TRUE(WaitUntil([this] { return Shows("FAIL"); }));
  EXPECT_EQ(VerdictColour(), colour::kRed);
  EXPECT_EQ(Shown("resultCarrierId"), "00000042");
  EXPECT_EQ(Shown("resultReason"), "page 1 write: the reader answered \"NAK\" (3 tries)");
  EXPECT_EQ(Shown("goodCount"), "good 1 (set 1)");
  EXPECT_EQ(Shown("failedCount"), "failed 1 (set 1)");
  EXPECT_EQ(Shown("remainingCount"), "left 959");
  // The success before does not show through the failure.
  EXPECT_EQ(PageColour(1), colour::kRed);
  EXPECT_TRUE(busyInCycle);
  ASSERT_TRUE(WaitUntil([this] { return !answerer_->seen().empty(); }));
  const std::string message = answerer_->seen()[0].text;
  EXPECT_TRUE(message.starts_with(std::string(text::kWriteError) + "\r\nPage 1 write: "))
      << message;
  Snapshot("fail");

  simulator_->NakPage(0);
  Click(ids::kOneButton);
  ASSERT_TRUE(WaitUntil([this] { return Shows("PASS"); }));
  EXPECT_EQ(Shown("resultCarrierId"), "00000042");
  EXPECT_EQ(Shown("goodCount"), "good 2 (set 2)");
  EXPECT_EQ(Shown("failedCount"), "failed 1 (set 1)");
  EXPECT_EQ(Shown("remainingCount"), "left 958");

  // An ID the ledger refuses fails with that ID and the ledger's reason.
  answerer_.emplace();
  Type(ids::kNextField, "41", true);
  simulator_->PlaceBlankTransponder();
  Click(ids::kOneButton);
  ASSERT_TRUE(WaitUntil([this] { return Shows("FAIL"); }));
  EXPECT_EQ(Shown("resultCarrierId"), "00000041");
  ASSERT_EQ(answerer_->seen().size(), 1u);
  const std::string refusal = answerer_->seen()[0].text;
  EXPECT_EQ(Shown("resultReason"), refusal.substr(0, refusal.find("\r\n")));
  EXPECT_FALSE(OnAntenna().locked[0]);
}

TEST_F(OutcomePanelTest, UnpluggedReaderEndsTheRunAndOnlyTheSameDeviceIsOpenedAgain) {
  ASSERT_NO_FATAL_FAILURE(StartCounterRun(ReaderLink()));
  Click(ids::kContButton);
  EXPECT_TRUE(Shows("WAITING"));
  ASSERT_TRUE(WaitUntil([this] { return Shown("runState") == "run: 1 made"; }));
  // The programmed transponder taken off: the run waits for the next.
  simulator_->RemoveTransponder();
  ASSERT_TRUE(WaitUntil([this] { return Shows("WAITING"); }));
  Snapshot("waiting");
  simulator_->PlaceBlankTransponder();
  ASSERT_TRUE(WaitUntil([this] { return Shown("runState") == "run: 2 made"; }));
  ASSERT_TRUE(WaitUntil([this] { return Shows("PASS"); }));

  simulator_->HangUp();
  ASSERT_TRUE(WaitUntil([this] { return Shown("runState") == "reader disconnected"; }));
  // The old PASS does not stand for a station that has no reader.
  EXPECT_TRUE(Shows("DISCONNECTED"));
  EXPECT_FALSE(window_->link().portOpen());
  EXPECT_EQ(Control<QAbstractButton>(ids::kContButton)->text().toStdString(), text::kContOn);
  EXPECT_TRUE(Control<QAbstractButton>(ids::kOneButton)->isEnabled());
  Snapshot("disconnected");

  // Another device at the same path is left to the operator.
  sim::SimOptions options;
  options.linkPath = ReaderLink();
  options.firstUid = 0xE0050001;  // UIDs are unique: not those of the first reader's transponders
  auto started = sim::ReaderSimulator::Start(options);
  ASSERT_TRUE(started.ok()) << started.error;
  std::unique_ptr<sim::ReaderSimulator> other = std::move(started.value);
  ASSERT_TRUE(WaitUntil(
      [this] { return Shown("runState").starts_with("reader disconnected: another device"); }));
  EXPECT_FALSE(window_->link().portOpen());
  EXPECT_TRUE(other->ReceivedCommands().empty());
  other.reset();

  // The same device back at its path is opened again by itself.
  const Status plugged = simulator_->Plug();
  ASSERT_TRUE(plugged.ok()) << plugged.error;
  ASSERT_TRUE(WaitUntil([this] { return window_->link().portOpen(); }));
  EXPECT_EQ(Shown("runState"), "");
  EXPECT_TRUE(Shows("READY"));
  // At most the one cycle that met the hang-up said so: no storm of messages.
  EXPECT_LE(answerer_->seen().size(), 1u);

  simulator_->PlaceBlankTransponder();
  Click(ids::kOneButton);
  ASSERT_TRUE(WaitUntil([this] { return OnAntenna().locked[0]; }));
  ASSERT_TRUE(WaitUntil([this] { return Shows("PASS"); }));
  window_.reset();
}

}  // namespace
}  // namespace torvane::test
