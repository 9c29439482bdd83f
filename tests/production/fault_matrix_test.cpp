// Every reader exchange of a production cycle meets every fault the reader can
// show, one cycle each: a transponder is counted and recorded only when it holds
// its carrier ID and is locked, a failure is told to the operator, and the next
// cycle, on the same transponder or another, never gives the ID to a second one.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <iostream>
#include <map>
#include <thread>

#include "production/production_fixture.h"

namespace torvane::test {
namespace {

using namespace std::chrono_literals;

struct Fault {
  const char* name;
  std::function<void(sim::ReaderSimulator&)> arm;  // empty: the line is hung up
};

const Fault kFaults[] = {
    {"no answer", [](sim::ReaderSimulator& s) { s.DropNextAnswers(1); }},
    {"NAK", [](sim::ReaderSimulator& s) { s.AnswerNextWith("NAK"); }},
    {"No Read", [](sim::ReaderSimulator& s) { s.AnswerNextWith("No Read"); }},
    {"ERR", [](sim::ReaderSimulator& s) { s.AnswerNextWith("ERR"); }},
    {"garbage", [](sim::ReaderSimulator& s) { s.SendGarbageNext("\x01\xFE#A?\r"); }},
    {"overlong line", [](sim::ReaderSimulator& s) { s.SendOverlongNext(); }},
    {"hang-up", {}},
};

class FaultMatrixTest : public ProductionTest {
 protected:
  void SetUp() override {
    ProductionTest::SetUp();
    UseDecimalCounter("1", "8", "100000");
    setInUse.set.lockPage[0] = true;
    setInUse.set.lockPage[1] = true;
    setInUse.setTypeQuorvi = 1;  // the cycle starts with a UID read
  }

  // Every transponder so far by UID, those of readers that hung up included; a
  // transponder carried over to a new reader is the new reader's.
  std::map<std::string, sim::Transponder> AllTransponders() const {
    std::map<std::string, sim::Transponder> all;
    for (const sim::Transponder& t : retired) all[t.uid] = t;
    for (const sim::Transponder& t : simulator->Programmed()) all[t.uid] = t;
    return all;
  }
  std::optional<sim::Transponder> Find(const std::string& uid) const {
    const auto all = AllTransponders();
    const auto found = all.find(uid);
    if (found == all.end()) return std::nullopt;
    return found->second;
  }
  // A new reader after a hang-up, with the transponder that was on the antenna.
  void ReplaceReader(const std::optional<sim::Transponder>& onAntenna) {
    const std::vector<sim::Transponder> old = simulator->Programmed();
    retired.insert(retired.end(), old.begin(), old.end());
    link.CloseComPort();
    sim::SimOptions options;
    options.timingValue = 4;
    options.empty = true;
    options.firstUid = 0xE0050000 + 0x100 * static_cast<std::uint32_t>(++readersReplaced);
    auto started = sim::ReaderSimulator::Start(options);
    ASSERT_TRUE(started.ok()) << started.error;
    simulator = std::move(started.value);
    if (onAntenna) {
      simulator->SetTransponder(*onAntenna);
    } else {
      simulator->PlaceBlankTransponder();
    }
    OpenPort(simulator->devicePath());
  }

  std::vector<sim::Transponder> retired;
  int readersReplaced = 0;
};

TEST_F(FaultMatrixTest, NoFaultAtAnyStepCountsAnUnprogrammedTransponderOrWritesAnIdTwice) {
  // The exchanges of a good cycle are the steps the faults are aimed at.
  NewCommands();
  ASSERT_TRUE(cycle.ProgramOneTag().programmed) << view.messages.back().text;
  const std::vector<std::string> steps = NewCommands();
  ASSERT_GE(steps.size(), 6u);

  int cases = 0;
  int falseSuccesses = 0;
  int retriedToSuccess = 0;
  for (std::size_t step = 0; step < steps.size(); ++step) {
    for (const Fault& fault : kFaults) {
      const bool sameTransponder = cases % 2 == 0;
      const std::string name = steps[step] + " / " + fault.name +
                               (sameTransponder ? ", then the same" : ", then another");
      SCOPED_TRACE(name);
      ++cases;
      simulator->PlaceBlankTransponder();
      const std::string uid = OnAntenna().uid;
      view.messages.clear();
      const std::size_t recordsBefore = records.records.size();
      std::thread hangUp;
      if (fault.arm) {
        simulator->HoldFaultsFor(static_cast<int>(step));
        fault.arm(*simulator);
      } else {
        simulator->SetAnswerLatency(50ms);  // the line goes before the answer
        const std::size_t before = simulator->ReceivedCommands().size();
        hangUp = std::thread([this, before, step] {
          if (simulator->WaitForCommands(before + step + 1, 20s)) simulator->HangUp();
        });
      }
      const CycleOutcome outcome = cycle.ProgramOneTag();
      if (hangUp.joinable()) hangUp.join();

      const std::optional<sim::Transponder> t = Find(uid);
      ASSERT_TRUE(t.has_value());
      const std::string page1(t->pages[0].begin(), t->pages[0].end());
      const bool programmed = page1 == outcome.carrierId && t->locked[0] && t->locked[1];
      const bool recorded = records.records.size() > recordsBefore;
      if ((outcome.programmed || recorded) && !programmed) {
        ++falseSuccesses;
        ADD_FAILURE() << "counted or recorded, but the transponder holds \"" << page1
                      << "\" locked " << t->locked[0] << t->locked[1];
      }
      if (outcome.programmed) {
        ++retriedToSuccess;
      } else {
        EXPECT_FALSE(recorded);
        EXPECT_FALSE(view.messages.empty()) << "the operator was not told";
      }

      // The next cycle, on this transponder or a fresh one.
      if (!fault.arm) {
        simulator->SetAnswerLatency(0ms);
        ReplaceReader(sameTransponder ? t : std::nullopt);
      } else if (!sameTransponder) {
        simulator->RemoveTransponder();
        simulator->PlaceBlankTransponder();
      }
      view.messages.clear();
      // A cycle that finds another transponder than the failed one's may end
      // with a word to the operator before it writes; the one after it writes.
      for (int attempt = 0; attempt < 2; ++attempt) {
        if (cycle.ProgramOneTag().programmed) break;
      }
      std::map<std::string, int> holders;
      for (const auto& [anyUid, any] : AllTransponders()) {
        const std::string id(any.pages[0].begin(), any.pages[0].end());
        if (id != std::string(8, '\0')) ++holders[id];
      }
      for (const auto& [id, count] : holders) EXPECT_EQ(count, 1) << id << " on two transponders";
    }
  }
  std::cout << "fault matrix steps:";
  for (const std::string& command : steps) std::cout << " [" << command.substr(0, 4) << "]";
  std::cout << "\nfault matrix: " << steps.size() << " steps x " << std::size(kFaults)
            << " faults = " << cases << " cases, " << falseSuccesses << " false successes, "
            << retriedToSuccess << " completed by a retry\n";
}

}  // namespace
}  // namespace torvane::test
