// The outcome panel of the main window, and a reader that goes away and comes
// back, through the station window offscreen against the reader simulator.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <string>

#include "app/outcome_panel.h"
#include "config/set_file.h"
#include "controls/color_style.h"
#include "production/production_messages.h"
#include "station_with_reader_fixture.h"

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

  void Snapshot(const std::string& state) const {
    auto* panel = window_->findChild<COutcomePanel*>("outcomePanel");
    panel->grab().save(QString::fromStdString("/tmp/torvane-outcome-" + state + ".png"));
    window_->grab().save(QString::fromStdString("/tmp/torvane-window-" + state + ".png"));
  }
};

TEST_F(OutcomePanelTest, PassThenFailThenPassWithTheirTextsColoursAndCounters) {
  ASSERT_NO_FATAL_FAILURE(StartCounterRun(simulator_->devicePath()));
  EXPECT_EQ(Shown("remainingCount"), "left 960");
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
}

TEST_F(OutcomePanelTest, UnpluggedReaderEndsTheRunAndIsOpenedAgainWhenItIsBack) {
  ASSERT_NO_FATAL_FAILURE(StartCounterRun(ReaderLink()));
  Click(ids::kContButton);
  ASSERT_TRUE(WaitUntil([this] { return Shown("runState") == "run: 1 made"; }));
  Snapshot("running");

  simulator_->HangUp();
  ASSERT_TRUE(WaitUntil([this] { return Shown("runState") == "reader disconnected"; }));
  EXPECT_FALSE(window_->link().portOpen());
  EXPECT_EQ(Control<QAbstractButton>(ids::kContButton)->text().toStdString(), text::kContOn);
  EXPECT_TRUE(Control<QAbstractButton>(ids::kOneButton)->isEnabled());
  Snapshot("disconnected");

  // The same link path, a new device behind it.
  sim::SimOptions options;
  options.linkPath = ReaderLink();
  auto started = sim::ReaderSimulator::Start(options);
  ASSERT_TRUE(started.ok()) << started.error;
  std::unique_ptr<sim::ReaderSimulator> back = std::move(started.value);
  ASSERT_TRUE(WaitUntil([this] { return window_->link().portOpen(); }));
  EXPECT_EQ(Shown("runState"), "");
  // At most the one cycle that met the hang-up said so: no storm of messages.
  EXPECT_LE(answerer_->seen().size(), 1u);

  Click(ids::kOneButton);
  ASSERT_TRUE(WaitUntil([&] { return back->OnAntenna() && back->OnAntenna()->locked[0]; }));
  ASSERT_TRUE(WaitUntil([this] { return Shows("PASS"); }));
  window_.reset();
}

}  // namespace
}  // namespace torvane::test
