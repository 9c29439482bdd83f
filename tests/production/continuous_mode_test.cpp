#include <gtest/gtest.h>

#include <chrono>
#include <set>

#include "production/continuous_mode.h"
#include "production/production_fixture.h"
#include "production/production_messages.h"
#include "view/control_ids.h"

namespace torvane::test {
namespace {

class ContinuousModeTest : public ProductionTest {
 protected:
  void SetUp() override {
    ProductionTest::SetUp();
    UseDecimalCounter("1", "8", "1000");
  }

  // What the window does with a poll tick.
  void Tick() {
    if (!continuous.OnPollTick(cycle.running())) return;
    reader.errorCount = 0;
    continuous.OnCycleEnded(cycle.ProgramOneTag());
    ++cycles;
  }
  bool StationControlsEnabled() const {
    return view.enabledControls.at(ids::kOneButton) && view.enabledControls.at(ids::kNextField) &&
           view.enabledControls.at(ids::kTerminalInput) &&
           view.enabledControls.at(ids::kTerminalSend) && view.enabledControls.at(ids::kNextSpin) &&
           view.enabledCommands.at(ids::kMenuExit) && view.enabledCommands.at(ids::kMenuInfo) &&
           view.enabledCommands.at(ids::kMenuConfig) &&
           view.enabledCommands.at(ids::kMenuInterfaceSettings);
  }

  AntennaPoll poll{link, reader};
  ContinuousMode continuous{view, production, setInUse, poll};
  int cycles = 0;
};

TEST_F(ContinuousModeTest, ARunWithoutAReaderSaysSo) {
  // A port closed before the run, and a reader that stops answering during it.
  link.CloseComPort();
  continuous.OnContinuous();
  EXPECT_EQ(production.continuousMode, 0);
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{text::kRunNeedsThePort}));

  OpenPort(simulator->devicePath());
  view.messages.clear();
  continuous.OnContinuous();
  ASSERT_EQ(production.continuousMode, 1);
  simulator->DropNextAnswers(ContinuousMode::kSilentPollsToStop - 1);
  for (int i = 1; i < ContinuousMode::kSilentPollsToStop; ++i) Tick();
  EXPECT_EQ(production.continuousMode, 1) << "a lost answer or two end nothing";
  EXPECT_EQ(cycles, 0);
  Tick();
  EXPECT_EQ(cycles, 1);
  simulator->DropNextAnswers(ContinuousMode::kSilentPollsToStop);
  for (int i = 0; i < ContinuousMode::kSilentPollsToStop; ++i) Tick();
  EXPECT_EQ(production.continuousMode, 0);
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{text::kReaderSilentInRun}));
  EXPECT_TRUE(StationControlsEnabled());
}

TEST_F(ContinuousModeTest, ContOnGreysTheStationControlsAndContOffRestoresThem) {
  production.headerPending = false;
  continuous.OnContinuous();
  EXPECT_EQ(production.continuousMode, 1);
  EXPECT_FALSE(StationControlsEnabled());
  EXPECT_EQ(view.colourOf(ids::kNextField), colour::kGrey);
  EXPECT_TRUE(view.enabledControls.at(ids::kContButton));
  EXPECT_EQ(view.controlTexts.at(ids::kContButton), text::kContOff);
  EXPECT_EQ(view.timers.at(ContinuousMode::kPollTimer), std::chrono::milliseconds(500));
  EXPECT_TRUE(production.headerPending);

  continuous.OnContinuous();
  EXPECT_EQ(production.continuousMode, 0);
  EXPECT_TRUE(StationControlsEnabled());
  EXPECT_EQ(view.colourOf(ids::kNextField), colour::kWhite);
  EXPECT_TRUE(view.enabledControls.at(ids::kContButton));  // Config mode: a run can start again
  EXPECT_EQ(view.controlTexts.at(ids::kContButton), text::kContOn);
  EXPECT_FALSE(view.timers.contains(ContinuousMode::kPollTimer));
}

TEST_F(ContinuousModeTest, EachTransponderOnTheAntennaIsProgrammedOnce) {
  continuous.OnContinuous();
  Tick();
  ASSERT_EQ(cycles, 1);
  const std::string record = terminal.terminalOutput;
  const std::size_t seen = simulator->ReceivedCommands().size();
  for (int i = 0; i < 3; ++i) Tick();
  EXPECT_EQ(cycles, 1);
  // The polls asked for the UID alone and left the terminal record of the cycle.
  EXPECT_EQ(simulator->ReceivedCommands().size(), seen + 3);
  EXPECT_EQ(simulator->ReceivedCommands().back(), "RUID");
  EXPECT_EQ(terminal.terminalOutput, record);

  simulator->PlaceBlankTransponder();
  Tick();
  EXPECT_EQ(cycles, 2);
  EXPECT_EQ(production.continuousMode, 1);
}

TEST_F(ContinuousModeTest, RunProgramsTheTranspondersTheOperatorSwapsIn) {
  setInUse.set.lockPage[0] = true;
  setInUse.set.lockPage[1] = true;
  continuous.OnContinuous();
  // A swap on a timer could meet the check after the locks on a slow machine;
  // the operator swaps once the cycle is over.
  for (int made = 1; made <= 3; ++made) {
    Tick();
    ASSERT_EQ(cycles, made);
    simulator->RemoveTransponder();
    simulator->PlaceBlankTransponder();
  }
  continuous.OnContinuous();
  std::set<std::string> written;
  for (const sim::Transponder& t : simulator->Programmed()) {
    if (t.locked[0]) written.insert(std::string(t.pages[0].begin(), t.pages[0].end()));
  }
  EXPECT_EQ(written, (std::set<std::string>{"00000001", "00000002", "00000003"}));
  EXPECT_EQ(records.records.size(), 3u);
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(ContinuousModeTest, RefusedWriteEndsTheRun) {
  simulator->NakPage(1);
  continuous.OnContinuous();
  Tick();
  EXPECT_EQ(cycles, 1);
  EXPECT_EQ(MessageHeads(), (std::vector<std::string>{text::kWriteError}));
  // The first page was refused: nothing reached the transponder.
  EXPECT_EQ(view.messages[0].text.find("may now hold"), std::string::npos);
  EXPECT_EQ(production.continuousMode, 0);
  EXPECT_FALSE(view.timers.contains(ContinuousMode::kPollTimer));
  EXPECT_TRUE(StationControlsEnabled());
  EXPECT_EQ(setInUse.set.carrierId, "1");
  Tick();
  EXPECT_EQ(cycles, 1);
}

}  // namespace
}  // namespace torvane::test
