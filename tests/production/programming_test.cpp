// The write, read-back and lock of a production cycle: retries, verify, and a
// transponder that changes on the antenna.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "production/production_fixture.h"
#include "production/production_messages.h"
#include "view/control_ids.h"

namespace torvane::test {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::string>;

class ProgrammingTest : public ProductionTest {
 protected:
  void SetUp() override {
    ProductionTest::SetUp();
    UseDecimalCounter("7", "8", "100");
    setInUse.set.lockPage[0] = true;
    setInUse.set.lockPage[1] = true;
  }
  void UseQuorvi() { setInUse.setTypeQuorvi = 1; }
  // Acts the nth time the page's field turns the colour. Every field turns
  // white once when the programming starts, and again right before its write.
  void OnceWhen(int page, std::uint32_t background, std::function<void()> act, int nth = 1) {
    view.onColour = [=, this, seen = 0](int field, std::uint32_t colour) mutable {
      if (field != ids::kPageField[page - 1] || colour != background || ++seen != nth) return;
      act();
    };
  }
  static constexpr int kBeforeWrite = 2;
  std::string Reason(const CycleOutcome& outcome) const { return outcome.reason; }
  bool Contains(const std::string& text, const std::string& part) const {
    return text.find(part) != std::string::npos;
  }
};

TEST_F(ProgrammingTest, ReadBackScopeDecidesWhatIsReadBeforeTheLocks) {
  struct Case {
    VerifyScope verify;
    bool quorvi;
    Lines commands;
  };
  // The UID is read once before the first write whatever the type, and again
  // before each lock after the first and after the last.
  const Case cases[] = {
      {VerifyScope::Off,
       false,
       {"TOR", "RUID", "WD 1", "WD 2", "WD 3", "RUID", "LD 1", "RUID", "LD 2", "RUID"}},
      {VerifyScope::CarrierId,
       false,
       {"TOR", "RUID", "WD 1", "WD 2", "WD 3", "RD 1", "RD 2", "LD 1", "RUID", "LD 2", "RUID"}},
      {VerifyScope::All,
       false,
       {"TOR", "RUID", "WD 1", "WD 2", "WD 3", "RD 1", "RD 2", "RD 3", "LD 1", "RUID", "LD 2",
        "RUID"}},
      {VerifyScope::Off,
       true,
       {"TOR", "RUID", "WD 1", "WD 2", "WD 3", "RUID", "LD 1", "RUID", "LD 2", "RUID"}},
      {VerifyScope::CarrierId,
       true,
       {"TOR", "RUID", "WD 1", "WD 2", "WD 3", "RD 1", "RD 2", "LD 1", "RUID", "LD 2", "RUID"}},
  };
  SelectPages({3});
  pages.pageText[2] = "41 42 43 44 45 46 47 48";
  for (const Case& c : cases) {
    const std::string name = VerifyScopeName(c.verify) + (c.quorvi ? " quorvi" : " ti");
    production.programming.verify = c.verify;
    setInUse.setTypeQuorvi = c.quorvi ? 1 : 0;
    simulator->PlaceBlankTransponder();
    NewCommands();
    ASSERT_TRUE(cycle.ProgramOneTag().programmed) << name << ": " << view.messages.back().text;
    Lines sent;
    for (const std::string& command : NewCommands()) sent.push_back(command.substr(0, 4));
    for (std::string& command : sent) {
      if (command.back() == ' ') command.pop_back();
    }
    EXPECT_EQ(sent, c.commands) << name;
  }
}

TEST_F(ProgrammingTest, OneBadAnswerIsTriedAgainAndTheTransponderProgrammed) {
  struct Case {
    const char* name;
    std::function<void()> fault;
  };
  const Case cases[] = {
      {"nak", [&] { simulator->AnswerNextWith("NAK"); }},
      {"no answer", [&] { simulator->DropNextAnswers(1); }},
      {"garbage", [&] { simulator->SendGarbageNext("\x1B[2J#\r"); }},
  };
  for (const Case& c : cases) {
    simulator->PlaceBlankTransponder();
    OnceWhen(2, colour::kWhite, c.fault, kBeforeWrite);
    NewCommands();
    const CycleOutcome outcome = cycle.ProgramOneTag();
    ASSERT_TRUE(outcome.programmed) << c.name << ": " << outcome.reason;
    const Lines sent = NewCommands();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "WD 2 3030303030303030"), 0) << c.name;
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(),
                            [](const std::string& s) { return s.starts_with("WD 2 "); }),
              2)
        << c.name;
    EXPECT_TRUE(Contains(terminal.terminalOutput, "// try 2 of 3")) << c.name;
    EXPECT_TRUE(OnAntenna().locked[1]) << c.name;
    EXPECT_TRUE(view.messages.empty()) << c.name << ": " << view.messages.back().text;
  }
  EXPECT_EQ(records.records.size(), 3u);
}

TEST_F(ProgrammingTest, NoRetriesMeansTheFirstBadAnswerFails) {
  production.programming.retries = 0;
  OnceWhen(
      1, colour::kWhite, [&] { simulator->AnswerNextWith("NAK"); }, kBeforeWrite);
  const CycleOutcome outcome = cycle.ProgramOneTag();
  EXPECT_FALSE(outcome.programmed);
  EXPECT_EQ(Reason(outcome), "page 1 write: the reader answered \"NAK\"");
}

enum class Fault { Nak, NoAnswer, Removed, UnansweredUid, LockRefused, HangUp, PortClosed };

struct FailureCase {
  const char* name;
  Fault fault;
  bool quorvi;
  const char* head;
  const char* reason;
  bool beforeAnyWrite;  // found by the UID read: nothing claimed or written
};

class FailureReasonTest : public ProgrammingTest,
                          public ::testing::WithParamInterface<FailureCase> {
 protected:
  void Arrange(Fault fault) {
    switch (fault) {
      case Fault::Nak:
        return simulator->NakPage(2);
      case Fault::NoAnswer:
        return OnceWhen(
            1, colour::kWhite, [&] { simulator->DropNextAnswers(100); }, kBeforeWrite);
      case Fault::Removed:
        return simulator->RemoveTransponder();
      case Fault::UnansweredUid:  // the UID is asked twice, right after the calibration
        simulator->HoldFaultsFor(1);
        return simulator->DropNextAnswers(2);
      case Fault::LockRefused:
        return OnceWhen(2, colour::kGreen, [&] { simulator->NakPage(2); });
      case Fault::HangUp:
        return simulator->HangUp();
      case Fault::PortClosed:
        link.CloseComPort();
        return;
    }
  }
};

TEST_P(FailureReasonTest, SaysWhatFailedAndCountsNothing) {
  const FailureCase& c = GetParam();
  setInUse.setTypeQuorvi = c.quorvi ? 1 : 0;
  Arrange(c.fault);
  const CycleOutcome outcome = cycle.ProgramOneTag();
  EXPECT_FALSE(outcome.programmed);
  EXPECT_EQ(outcome.attempted, !c.beforeAnyWrite);
  EXPECT_TRUE(Contains(Reason(outcome), c.reason)) << Reason(outcome);
  ASSERT_EQ(MessageHeads(), Lines{c.head});
  EXPECT_TRUE(Contains(view.messages[0].text, Reason(outcome).substr(1)));
  EXPECT_EQ(setInUse.set.carrierId, "7");
  EXPECT_TRUE(records.records.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FailureReasonTest,
    ::testing::Values(FailureCase{"Nak", Fault::Nak, false, text::kWriteError,
                                  "page 2 write: the reader answered \"NAK\" (3 tries)", false},
                      // The second try first asks whether the transponder is still the one.
                      FailureCase{"NoAnswer", Fault::NoAnswer, false, text::kUidUnreadable,
                                  "UID read: no answer within", false},
                      FailureCase{"RemovedTi", Fault::Removed, false, text::kUidUnreadable,
                                  "no transponder on the antenna (UID read: \"No Read\")", true},
                      FailureCase{"RemovedQuorvi", Fault::Removed, true, text::kUidUnreadable,
                                  "no transponder on the antenna (UID read: \"No Read\")", true},
                      FailureCase{"UnansweredUid", Fault::UnansweredUid, true, text::kUidUnreadable,
                                  "UID read: no answer within", true},
                      FailureCase{"LockRefused", Fault::LockRefused, false, text::kLockError,
                                  "page 2 lock: the reader answered \"NAK\" (3 tries)", false},
                      FailureCase{"HangUp", Fault::HangUp, false, text::kWriteError,
                                  "reader disconnected", true},
                      FailureCase{"PortClosed", Fault::PortClosed, false, text::kWriteError,
                                  "port /dev/pts/", true}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST_F(ProgrammingTest, ReadBackCatchesABadStoreAndNothingIsLocked) {
  simulator->SpoilNextStores(1);
  NewCommands();
  const CycleOutcome outcome = cycle.ProgramOneTag();
  EXPECT_FALSE(outcome.programmed);
  EXPECT_EQ(Reason(outcome),
            "page 1 reads back 31 30 30 30 30 30 30 37 instead of 30 30 30 30 30 30 30 37");
  EXPECT_EQ(MessageHeads(), Lines{text::kReadBackDiffers});
  for (const std::string& command : NewCommands())
    EXPECT_FALSE(command.starts_with("LD")) << command;
  EXPECT_FALSE(OnAntenna().locked[0]);
  EXPECT_EQ(view.colourOf(ids::kPageField[0]), colour::kRed);
  EXPECT_TRUE(records.records.empty());
  EXPECT_EQ(setInUse.set.carrierId, "7");
}

TEST_F(ProgrammingTest, TransponderSwappedBetweenTriesIsNeverWrittenWithTheFirstOnesId) {
  UseQuorvi();
  const std::string first = OnAntenna().uid;
  // Page 1's write goes unanswered long enough for the operator to swap.
  OnceWhen(
      1, colour::kWhite,
      [&] {
        simulator->DelayNextAnswer(200ms);
        simulator->AnswerNextWith("NAK");
      },
      kBeforeWrite);
  const std::size_t before = simulator->ReceivedCommands().size();
  std::thread operatorHand([&] {
    if (simulator->WaitForCommands(before + 3, 5s)) simulator->PlaceBlankTransponder();
  });
  const CycleOutcome outcome = cycle.ProgramOneTag();
  operatorHand.join();
  EXPECT_FALSE(outcome.programmed);
  EXPECT_TRUE(Contains(Reason(outcome), "another transponder on the antenna (UID"))
      << Reason(outcome);
  EXPECT_EQ(MessageHeads(), Lines{text::kOtherTransponder});
  const sim::Transponder second = OnAntenna();
  EXPECT_NE(second.uid, first);
  EXPECT_EQ(second.pages[0], sim::Page{});
  EXPECT_TRUE(records.records.empty());
}

class SwapBetweenLocksTest : public ProgrammingTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SwapBetweenLocksTest, TransponderSwappedBetweenTheLocksIsNotCounted) {
  setInUse.setTypeQuorvi = GetParam() ? 1 : 0;
  const std::string first = OnAntenna().uid;
  // The second green of page 1 is its lock: the operator takes it away then.
  int greens = 0;
  view.onColour = [&](int field, std::uint32_t colour) {
    if (field == ids::kPageField[0] && colour == colour::kGreen && ++greens == 2) {
      simulator->PlaceBlankTransponder();
    }
  };
  const CycleOutcome outcome = cycle.ProgramOneTag();
  EXPECT_FALSE(outcome.programmed);
  EXPECT_EQ(MessageHeads(), Lines{text::kOtherTransponder});
  EXPECT_EQ(setInUse.set.carrierId, "7");
  EXPECT_TRUE(records.records.empty());
  const sim::Transponder written = simulator->Programmed().front();
  ASSERT_EQ(written.uid, first);
  EXPECT_TRUE(written.locked[0]);
  EXPECT_FALSE(written.locked[1]);
}

INSTANTIATE_TEST_SUITE_P(Types, SwapBetweenLocksTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "Quorvi" : "Ti";
                         });

}  // namespace
}  // namespace torvane::test
