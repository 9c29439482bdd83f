#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>

#include "production/in_flight_file.h"
#include "production/production_fixture.h"
#include "production/production_messages.h"
#include "view/control_ids.h"

namespace torvane::test {
namespace {

using namespace std::chrono_literals;

// The ordinary operator paths that could put one carrier ID on two
// transponders, against the simulator's memory.
class LedgerCycleTest : public ProductionTest {
 protected:
  void SetUp() override {
    ProductionTest::SetUp();
    UseDecimalCounter("5", "16", "1000");
    setInUse.set.lockPage[0] = true;
    setInUse.set.lockPage[1] = true;
  }

  // The 16 bytes of pages 1 and 2 of every transponder that holds any.
  std::vector<std::string> CarrierIdsOnTransponders() const {
    std::vector<std::string> ids;
    for (const sim::Transponder& t : simulator->Programmed()) {
      std::string id(t.pages[0].begin(), t.pages[0].end());
      id.append(t.pages[1].begin(), t.pages[1].end());
      if (id != std::string(16, '\0')) ids.push_back(id);
    }
    return ids;
  }
  void ExpectNoIdOnTwoTransponders() const {
    std::map<std::string, int> count;
    for (const std::string& id : CarrierIdsOnTransponders()) {
      EXPECT_EQ(++count[id], 1) << "carrier ID " << id << " is on two transponders";
    }
  }
  LedgerRow Row(const std::string& id) {
    const auto found = ledger.Store().value->LookUp(id);
    EXPECT_TRUE(found.ok() && found.value) << id;
    return found.value.value_or(LedgerRow{});
  }
  // The page field turns green when its write is acknowledged, and again when
  // its lock is: acts at the `nth` time.
  void OnPageAcknowledged(int page, std::function<void()> act, int nth = 1) {
    view.onColour = [this, page, nth, act = std::move(act), seen = 0](
                        int field, std::uint32_t background) mutable {
      if (field != ids::kPageField[page - 1] || background != colour::kGreen || ++seen != nth)
        return;
      // Clearing the hook destroys this lambda and what it holds: act from a copy.
      const std::function<void()> run = std::move(act);
      view.onColour = nullptr;
      run();
    };
  }
  bool Programs() {
    reader.errorCount = 0;
    return cycle.ProgramOneTag().programmed;
  }
};

enum class Failure { LockRefused, WriteRefusedPartWay, WriteAnswerLost };

struct FailedCycle {
  const char* name;
  Failure failure;
  bool swap;  // the operator puts another transponder on the antenna
};

class FailedCycleTest : public LedgerCycleTest, public ::testing::WithParamInterface<FailedCycle> {
 protected:
  // Makes the next cycle fail part way.
  void Arrange(Failure failure) {
    switch (failure) {
      case Failure::LockRefused:
        OnPageAcknowledged(2, [this] { simulator->NakPage(2); });
        break;
      case Failure::WriteRefusedPartWay:
        simulator->NakPage(2);
        break;
      case Failure::WriteAnswerLost:
        // A lost answer that a second try would heal.
        production.programming.retries = 0;
        OnPageAcknowledged(1, [this] { simulator->DropNextAnswers(1); });
        break;
    }
  }
};

TEST_P(FailedCycleTest, GivesItsIdOnlyToTheSameTransponder) {
  const FailedCycle& c = GetParam();
  Arrange(c.failure);
  ASSERT_FALSE(Programs());
  const std::string failedUid = OnAntenna().uid;
  EXPECT_EQ(Row("0000000000000005").state, LedgerState::Written);
  EXPECT_EQ(Row("0000000000000005").uid, failedUid);
  EXPECT_NE(view.messages.back().text.find("may now hold carrier ID 0000000000000005"),
            std::string::npos);
  simulator->NakPage(0);
  view.messages.clear();
  if (c.swap) simulator->PlaceBlankTransponder();

  ASSERT_TRUE(Programs()) << (view.messages.empty() ? "" : view.messages.back().text);
  const std::string expected = c.swap ? "0000000000000006" : "0000000000000005";
  EXPECT_EQ(PageChars(1) + PageChars(2), expected);
  if (c.swap) {
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].text.find("Set that transponder aside"), std::string::npos);
    EXPECT_NE(view.messages[0].text.find("0000000000000005"), std::string::npos);
    EXPECT_NE(view.messages[0].text.find(failedUid), std::string::npos);
    EXPECT_EQ(Row("0000000000000005").state, LedgerState::Spent);
    EXPECT_NE(SetFile().find("Carrier ID=7\r\n"), std::string::npos) << "spent, then counted";
  } else {
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(Row("0000000000000005").state, LedgerState::Programmed);
  }
  EXPECT_EQ(Row(expected).state, LedgerState::Programmed);

  simulator->PlaceBlankTransponder();
  ASSERT_TRUE(Programs());
  EXPECT_EQ(PageChars(1) + PageChars(2), c.swap ? "0000000000000007" : "0000000000000006");
  ExpectNoIdOnTwoTransponders();
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FailedCycleTest,
    ::testing::Values(FailedCycle{"LockRefusedSwapped", Failure::LockRefused, true},
                      FailedCycle{"WriteRefusedPartWaySwapped", Failure::WriteRefusedPartWay, true},
                      FailedCycle{"WriteAnswerLostSwapped", Failure::WriteAnswerLost, true},
                      FailedCycle{"LockRefusedSameTransponder", Failure::LockRefused, false},
                      FailedCycle{"WriteRefusedPartWaySameTransponder",
                                  Failure::WriteRefusedPartWay, false}),
    [](const ::testing::TestParamInfo<FailedCycle>& info) { return info.param.name; });

// Another transponder takes the place of the one being programmed at the
// moment a quick operator or handler would swap them.
enum class SwapMoment { AfterLastLock, BetweenLocks, AfterLostLockAnswer, AfterLateLockAnswer };

struct Swap {
  const char* name;
  SwapMoment moment;
  bool quorvi;
};

class SwapTest : public LedgerCycleTest, public ::testing::WithParamInterface<Swap> {
 protected:
  void OnPageLocked(int page, std::function<void()> act) {
    OnPageAcknowledged(page, std::move(act), 2);
  }
  void Arrange(SwapMoment moment) {
    switch (moment) {
      case SwapMoment::AfterLastLock:
        return OnPageLocked(2, [this] { simulator->PlaceBlankTransponder(); });
      case SwapMoment::BetweenLocks:
        return OnPageLocked(1, [this] { simulator->PlaceBlankTransponder(); });
      case SwapMoment::AfterLostLockAnswer:
        production.programming.retries = 0;
        // After page 1's lock the UID is asked again; then comes page 2's.
        return OnPageLocked(1, [this] {
          simulator->HoldFaultsFor(1);
          simulator->DropNextAnswers(1);
        });
      case SwapMoment::AfterLateLockAnswer:
        production.programming.retries = 0;
        // Past the wait for it (4 units of 100 ms), within the next exchange.
        return OnPageLocked(1, [this] {
          simulator->HoldFaultsFor(1);
          simulator->DelayNextAnswer(600ms);
        });
    }
  }
};

TEST_P(SwapTest, TheIdOfTheTakenTransponderGoesToNoOther) {
  const Swap& c = GetParam();
  setInUse.setTypeQuorvi = c.quorvi ? 1 : 0;
  const std::string taken = OnAntenna().uid;
  Arrange(c.moment);
  EXPECT_FALSE(Programs());
  if (c.moment == SwapMoment::BetweenLocks) {
    // The transponder that came after the first lock took no lock.
    EXPECT_NE(OnAntenna().uid, taken);
    EXPECT_EQ(OnAntenna().locked, (std::array<bool, sim::kPageCount>{}));
  }
  if (c.moment >= SwapMoment::AfterLostLockAnswer) simulator->PlaceBlankTransponder();
  EXPECT_EQ(Row("0000000000000005").uid, taken) << "the UID read before the first write";

  // Production goes on with the transponder now on the antenna, and the next ID.
  view.messages.clear();
  ASSERT_TRUE(Programs()) << (view.messages.empty() ? "" : view.messages.back().text);
  EXPECT_EQ(PageChars(1) + PageChars(2), "0000000000000006");
  EXPECT_EQ(Row("0000000000000005").state, LedgerState::Spent);
  EXPECT_EQ(Row("0000000000000006").uid, OnAntenna().uid);
  ASSERT_EQ(records.records.size(), 1u);
  EXPECT_EQ(records.records[0].uidText, OnAntenna().uid) << "the record names it, either type";
  simulator->PlaceBlankTransponder();
  ASSERT_TRUE(Programs());
  ExpectNoIdOnTwoTransponders();
}

INSTANTIATE_TEST_SUITE_P(
    Moments, SwapTest,
    ::testing::Values(Swap{"AfterLastLockTi", SwapMoment::AfterLastLock, false},
                      Swap{"AfterLastLockQuorvi", SwapMoment::AfterLastLock, true},
                      Swap{"BetweenLocksTi", SwapMoment::BetweenLocks, false},
                      Swap{"BetweenLocksQuorvi", SwapMoment::BetweenLocks, true},
                      Swap{"AfterLostLockAnswer", SwapMoment::AfterLostLockAnswer, true},
                      Swap{"AfterLateLockAnswer", SwapMoment::AfterLateLockAnswer, false}),
    [](const ::testing::TestParamInfo<Swap>& info) { return info.param.name; });

TEST_F(LedgerCycleTest, AnEmptyAntennaSpendsNothingAndSpeaksOfNoTransponderThatMayHoldIt) {
  // Taken away before the cycle, or between its UID read and its first write.
  for (const bool beforeTheCycle : {true, false}) {
    SCOPED_TRACE(beforeTheCycle ? "before the cycle" : "before the first write");
    if (beforeTheCycle) {
      simulator->RemoveTransponder();
    } else {
      // Every page field turns white when the write starts and again before its own write.
      view.onColour = [this, seen = 0](int field, std::uint32_t background) mutable {
        if (field != ids::kPageField[0] || background != colour::kWhite || ++seen != 2) return;
        simulator->RemoveTransponder();
      };
    }
    view.messages.clear();
    EXPECT_FALSE(Programs());
    view.onColour = nullptr;
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text.find("may now hold"), std::string::npos);
    simulator->PlaceBlankTransponder();
    view.messages.clear();
    ASSERT_TRUE(Programs());
    EXPECT_TRUE(view.messages.empty()) << view.messages[0].text;
  }
  EXPECT_EQ(Row("0000000000000006").state, LedgerState::Programmed);
  EXPECT_EQ(Row("0000000000000006").uid, OnAntenna().uid);
  ExpectNoIdOnTwoTransponders();
}

TEST_F(LedgerCycleTest, NoTransponderAfterAFailedCycleSpendsNothingAndWritesNothing) {
  simulator->NakPage(2);
  ASSERT_FALSE(Programs());
  simulator->NakPage(0);
  simulator->RemoveTransponder();
  view.messages.clear();
  EXPECT_FALSE(Programs());
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_NE(view.messages[0].text.find("No transponder on the antenna"), std::string::npos);
  EXPECT_EQ(Row("0000000000000005").state, LedgerState::Written);
  EXPECT_EQ(setInUse.set.carrierId, "5");
}

// A real store whose state marks fail while `marksFail` is set, as when a
// shared ledger's server goes away between the reservation and the mark.
class MarksFailingLedger : public CarrierIdLedger {
 public:
  explicit MarksFailingLedger(std::unique_ptr<CarrierIdLedger> store) : store_(std::move(store)) {}
  Result<Reservation> Reserve(const LedgerClaim& claim) override { return store_->Reserve(claim); }
  Status NoteRewrite(const LedgerClaim& claim) override { return store_->NoteRewrite(claim); }
  Result<std::optional<LedgerRow>> LookUp(std::string_view id) override {
    return store_->LookUp(id);
  }
  Result<std::vector<LedgerRow>> List(const LedgerQuery& query) override {
    return store_->List(query);
  }
  Result<std::vector<LedgerRewrite>> Rewrites(const LedgerQuery& query) override {
    return store_->Rewrites(query);
  }
  Result<std::string> Identity() override { return store_->Identity(); }
  bool marksFail = false;

 protected:
  Result<LedgerState> Move(std::string_view id, LedgerState state, std::string_view uid) override {
    if (marksFail) return Result<LedgerState>::Failure("server closed the connection unexpectedly");
    if (state == LedgerState::Written) return store_->MarkWritten(id, uid);
    if (state == LedgerState::Programmed) return store_->MarkProgrammed(id, uid);
    return store_->MarkSpent(id, uid);
  }

 private:
  std::unique_ptr<CarrierIdLedger> store_;
};

// The ledger goes away at the moment a state is to be entered. The carrier ID
// stays in flight through a regular end and a restart, and no transponder is
// written until the ledger has taken its state.
TEST_F(LedgerCycleTest, AStateTheLedgerCouldNotTakeOutlivesAnEndAndARestart) {
  enum class Down { FailedCycleThenEnd, ProgrammedWithSourceStepFailing, AtTheRestart };
  struct Case {
    const char* name;
    Down down;
    LedgerState settled;  // of the carrier ID in flight, once the ledger is back
  };
  const Case cases[] = {
      {"failed cycle, regular end", Down::FailedCycleThenEnd, LedgerState::Spent},
      {"programmed, source step failed too", Down::ProgrammedWithSourceStepFailing,
       LedgerState::Programmed},
      {"failed cycle, restart while the ledger is down", Down::AtTheRestart, LedgerState::Spent},
  };
  int first = 5;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto id = [](int n) {
      const std::string digits = std::to_string(n);
      return std::string(16 - digits.size(), '0') + digits;
    };
    auto store = std::make_unique<MarksFailingLedger>(SqliteLedger::Open(":memory:").value);
    MarksFailingLedger& faulty = *store;
    StationLedger failingLedger{std::move(store), "bay-1"};
    const auto programs = [this](ProductionCycle& station) {
      reader.errorCount = 0;
      return station.ProgramOneTag().programmed;
    };
    setInUse.set.carrierId = std::to_string(first);
    WriteSetFile(setInUse.set.carrierId, "0");
    std::filesystem::remove(directory.File(InFlightFile::kFileName));
    simulator->PlaceBlankTransponder();
    {
      ProductionCycle station{context, manual, records, failingLedger, readBack};
      if (c.down == Down::ProgrammedWithSourceStepFailing) {
        faulty.marksFail = true;
        std::filesystem::remove(directory.File("job.ini"));
        EXPECT_TRUE(programs(station));
      } else {
        OnPageAcknowledged(2, [this, &faulty, &c] {
          simulator->NakPage(2);
          faulty.marksFail = c.down == Down::FailedCycleThenEnd;
        });
        EXPECT_FALSE(programs(station));
      }
      station.OnStationEnd();
    }
    EXPECT_TRUE(directory.Exists(InFlightFile::kFileName));
    simulator->NakPage(0);
    if (c.down == Down::ProgrammedWithSourceStepFailing) WriteSetFile(std::to_string(first), "0");

    ProductionCycle restarted{context, manual, records, failingLedger, readBack};
    faulty.marksFail = c.down == Down::AtTheRestart;
    if (faulty.marksFail) {
      EXPECT_FALSE(restarted.Settle().ok());
      const std::size_t sent = simulator->ReceivedCommands().size();
      EXPECT_FALSE(programs(restarted));
      EXPECT_EQ(simulator->ReceivedCommands().size(), sent) << "written before the settle";
      // The spent mark comes before the source moves past the ID.
      EXPECT_NE(SetFile().find("Carrier ID=" + std::to_string(first) + "\r\n"), std::string::npos);
      faulty.marksFail = false;
    }
    ASSERT_TRUE(restarted.Settle().ok());
    EXPECT_EQ(faulty.LookUp(id(first)).value->state, c.settled);
    simulator->PlaceBlankTransponder();
    ASSERT_TRUE(programs(restarted)) << view.messages.back().text;
    EXPECT_EQ(PageChars(1) + PageChars(2), id(first + 1));
    first += 10;
  }
  ExpectNoIdOnTwoTransponders();
}

TEST_F(LedgerCycleTest, AProgrammedMarkTheLedgerRefusesCountsNothing) {
  // Someone spends the ID while the pages are being written.
  OnPageAcknowledged(
      2, [this] { ASSERT_TRUE(ledger.Store().value->MarkSpent("0000000000000005", "").ok()); });
  const CycleOutcome outcome = cycle.ProgramOneTag();
  EXPECT_FALSE(outcome.programmed);
  EXPECT_TRUE(records.records.empty());
  ASSERT_FALSE(view.messages.empty());
  EXPECT_NE(view.messages.back().text.find("not counted"), std::string::npos);
  EXPECT_EQ(Row("0000000000000005").state, LedgerState::Spent);
  simulator->PlaceBlankTransponder();
  ASSERT_TRUE(Programs());
  EXPECT_EQ(PageChars(1) + PageChars(2), "0000000000000006");
}

TEST_F(LedgerCycleTest, AnotherProcessOfTheSameStationNameNeverFinishesThisOnesRow) {
  simulator->NakPage(2);
  ASSERT_FALSE(Programs());
  simulator->NakPage(0);
  // A second station process with the same name on the same ledger, in a
  // folder of its own, meets the same carrier ID on the same transponder.
  ScratchDirectory otherFolder;
  std::string otherDirectory = otherFolder.path();
  ProductionContext otherContext{view,       pages,   reader,    setInUse,
                                 production, maxText, delimiter, otherDirectory};
  ProductionCycle other{otherContext, manual, records, ledger, readBack};
  view.messages.clear();
  NewCommands();
  reader.errorCount = 0;
  EXPECT_FALSE(other.ProgramOneTag().programmed);
  for (const std::string& command : NewCommands()) EXPECT_FALSE(command.starts_with("WD"));
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_NE(view.messages[0].text.find("already holds carrier ID 0000000000000005 (written"),
            std::string::npos)
      << view.messages[0].text;
  EXPECT_EQ(Row("0000000000000005").state, LedgerState::Written);

  // The process that wrote it finishes it.
  ASSERT_TRUE(Programs());
  EXPECT_EQ(Row("0000000000000005").state, LedgerState::Programmed);
  ExpectNoIdOnTwoTransponders();
}

// What the transponder on the antenna holds before the first write.
TEST_F(LedgerCycleTest, ATransponderThatHoldsACarrierIdIsNotWritten) {
  enum class Holds { Blank, LockedUnknown, ProgrammedElsewhere, ProgrammedHereAndPutBack };
  struct Case {
    const char* name;
    Holds holds;
    const char* elsewhere;  // the carrier ID another station programmed onto it
    bool continuous;
    const char* told;  // in the one message, or in the status line of a run
  };
  const Case cases[] = {
      {"blank", Holds::Blank, "", false, nullptr},
      {"locked, unknown to the ledger", Holds::LockedUnknown, "", false,
       "Page 1 refused every try: the transponder is locked"},
      {"programmed by another station", Holds::ProgrammedElsewhere, "0000000000000099", false,
       "holds carrier ID 0000000000000099 (programmed on "},
      {"programmed here, put back", Holds::ProgrammedHereAndPutBack, "", false,
       "holds carrier ID 0000000000000005 (programmed on "},
      {"programmed by another station, in a run", Holds::ProgrammedElsewhere, "0000000000000098",
       true,
       "Passed over: the transponder on the antenna holds carrier ID 0000000000000098 "
       "(programmed)."},
  };
  CarrierIdLedger& store = *ledger.Store().value;
  std::string programmedHere;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    simulator->PlaceBlankTransponder();
    sim::Transponder t = OnAntenna();
    if (c.holds == Holds::LockedUnknown) t.locked[0] = t.locked[1] = true;
    if (c.holds == Holds::ProgrammedElsewhere) {
      const std::string id = c.elsewhere;
      std::copy(id.begin(), id.begin() + 8, t.pages[0].begin());
      std::copy(id.begin() + 8, id.end(), t.pages[1].begin());
      t.locked[0] = t.locked[1] = true;
      ASSERT_TRUE(store.Reserve({id, "other job", {}, t.uid, "bay-2", "other"}).value.granted);
      ASSERT_TRUE(store.MarkProgrammed(id, t.uid).ok());
    }
    if (c.holds == Holds::ProgrammedHereAndPutBack) {
      for (const sim::Transponder& any : simulator->Programmed()) {
        if (any.uid == programmedHere) t = any;
      }
    }
    simulator->SetTransponder(t);
    production.continuousMode = c.continuous ? 1 : 0;
    view.messages.clear();
    NewCommands();
    reader.errorCount = 0;
    const CycleOutcome outcome = cycle.ProgramOneTag();
    production.continuousMode = 0;
    const std::vector<std::string> sent = NewCommands();
    if (!c.told) {
      ASSERT_TRUE(outcome.programmed) << view.messages.back().text;
      EXPECT_EQ(PageChars(1) + PageChars(2), "0000000000000005");
      programmedHere = t.uid;
      continue;
    }
    EXPECT_FALSE(outcome.programmed);
    EXPECT_EQ(outcome.stopped, !c.continuous);
    if (c.holds != Holds::LockedUnknown) {
      for (const std::string& command : sent) EXPECT_FALSE(command.starts_with("WD")) << command;
      EXPECT_EQ(OnAntenna(), t) << "untouched";
    }
    if (c.continuous) {
      EXPECT_TRUE(view.messages.empty());
      EXPECT_NE(outcome.skippedNote.find(c.told), std::string::npos) << outcome.skippedNote;
    } else {
      ASSERT_EQ(view.messages.size(), 1u) << "one message, never a loop of them";
      EXPECT_NE(view.messages[0].text.find(c.told), std::string::npos) << view.messages[0].text;
    }
    // Production goes on with a blank transponder.
    simulator->PlaceBlankTransponder();
    view.messages.clear();
    ASSERT_TRUE(Programs()) << (view.messages.empty() ? "" : view.messages.back().text);
  }
  ExpectNoIdOnTwoTransponders();
}

// How the source comes back to an ID already written.
enum class GoBack { CounterSetBack, CounterWithMoreDigits, CsvOfTheSameBytes };

class RefusedIdTest : public LedgerCycleTest, public ::testing::WithParamInterface<GoBack> {
 protected:
  void Arrange(GoBack goBack) {
    switch (goBack) {
      case GoBack::CounterSetBack:  // a dialog's copy taken back, or "next" typed back
        setInUse.set.carrierId = "5";
        break;
      case GoBack::CounterWithMoreDigits:
        setInUse.set.carrierId = "000000000000000005";
        break;
      case GoBack::CsvOfTheSameBytes:  // another set whose carrier ID is the same bytes
        setInUse.set.sourceDecimalCounter = false;
        UseCsv("Carrier ID;done\r\n0000000000000006;\r\n");
        break;
    }
  }
};

TEST_P(RefusedIdTest, BeforeAnyWriteWithWhenWhereAndWhich) {
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(Programs());
    simulator->PlaceBlankTransponder();
  }
  Arrange(GetParam());
  const std::vector<std::string> before = simulator->ReceivedCommands();
  view.messages.clear();
  EXPECT_FALSE(Programs());
  ASSERT_EQ(view.messages.size(), 1u);
  const std::string& message = view.messages[0].text;
  EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning);
  EXPECT_NE(message.find("carrier ID 000000000000000"), std::string::npos) << message;
  EXPECT_NE(message.find("programmed on "), std::string::npos) << message;
  EXPECT_NE(message.find("configuration set \"job\""), std::string::npos) << message;
  EXPECT_NE(message.find("station \"bay-1\""), std::string::npos) << message;
  const std::vector<std::string> after = simulator->ReceivedCommands();
  EXPECT_TRUE(std::none_of(after.begin() + static_cast<std::ptrdiff_t>(before.size()), after.end(),
                           [](const std::string& c) { return c.starts_with("WD"); }))
      << "nothing was written";

  // The operator moves on to an ID not written yet.
  setInUse.set.sourceDecimalCounter = true;
  setInUse.set.sourceCsv = false;
  setInUse.set.carrierId = "8";
  ASSERT_TRUE(Programs());
  EXPECT_EQ(PageChars(1) + PageChars(2), "0000000000000008");
  ExpectNoIdOnTwoTransponders();
}

INSTANTIATE_TEST_SUITE_P(Paths, RefusedIdTest,
                         ::testing::Values(GoBack::CounterSetBack, GoBack::CounterWithMoreDigits,
                                           GoBack::CsvOfTheSameBytes));

TEST_F(LedgerCycleTest, RefusalNamesTheUidWhereTheReaderGaveOne) {
  setInUse.setTypeQuorvi = 1;
  ASSERT_TRUE(Programs());
  const std::string uid = OnAntenna().uid;
  simulator->PlaceBlankTransponder();
  setInUse.set.carrierId = "5";
  view.messages.clear();
  EXPECT_FALSE(Programs());
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_NE(view.messages[0].text.find("transponder UID " + uid), std::string::npos)
      << view.messages[0].text;
}

TEST_F(LedgerCycleTest, FixDataIsNotedEachTimeAndNeverRefused) {
  setInUse.set.sourceDecimalCounter = false;
  setInUse.set.quantity = "3";
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(Programs()) << (view.messages.empty() ? "" : view.messages[0].text);
    simulator->PlaceBlankTransponder();
  }
  LedgerQuery query;
  query.setName = "job";
  EXPECT_EQ(ledger.Store().value->Rewrites(query).value.size(), 3u);
  EXPECT_TRUE(ledger.Store().value->List(query).value.empty());
}

// A ledger the station cannot use, from the start or since a moment in the run,
// stops every cycle before any write; nothing made a ledger file on the way.
TEST_F(LedgerCycleTest, LedgerThatCannotBeUsedStopsEveryCycleBeforeAnyWrite) {
  struct Case {
    std::string name;
    std::string database;
    bool deletedAfterOne;  // the file goes after one transponder is programmed
    std::string expectedText;
  };
  const std::vector<Case> cases = {
      {"missing folder", "no/such/folder/x.ledger", false, "does not exist"},
      {"mistyped file", "Torvane.ledgr", false, "does not exist"},
      {"password", "host=db password=secret", false, "PGPASSWORD"},
      {"deleted during the run", "", true, "deleted or replaced"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LedgerSettings settings{c.database, ""};
    StationLedger unusable(settings, workingDirectory);
    ProductionCycle blocked{context, manual, records, unusable, readBack};
    if (c.deletedAfterOne) {
      reader.errorCount = 0;
      ASSERT_TRUE(blocked.ProgramOneTag().programmed);
      std::filesystem::remove(directory.File(kDefaultLedgerFile));
      simulator->PlaceBlankTransponder();
    }
    view.messages.clear();
    const std::string counter = setInUse.set.carrierId;
    NewCommands();
    reader.errorCount = 0;
    EXPECT_FALSE(blocked.ProgramOneTag().programmed);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].text.find(c.expectedText), std::string::npos)
        << view.messages[0].text;
    for (const std::string& command : NewCommands()) EXPECT_FALSE(command.starts_with("WD"));
    EXPECT_EQ(setInUse.set.carrierId, counter);
    EXPECT_FALSE(directory.Exists(kDefaultLedgerFile));
    EXPECT_FALSE(directory.Exists("Torvane.ledgr"));
  }
  ExpectNoIdOnTwoTransponders();
}

// A carrier ID written in Manual mode goes through the ledger like a cycle's.
TEST_F(LedgerCycleTest, ManualCarrierIdWriteGoesThroughTheLedger) {
  struct Row {
    std::string name;
    std::string id;
    bool heldBefore;  // by another station, programmed
    MessageAnswer answer;
    bool ledgerOpens;
    bool written;
    std::size_t rewrites;
    std::optional<LedgerState> stateAfter;
    std::optional<MessageIcon> message;  // what the operator is shown
  };
  const Row rows[] = {
      {"new", "0000000000000042", false, MessageAnswer::Yes, true, true, 0, LedgerState::Written,
       std::nullopt},
      {"held, no", "0000000000000043", true, MessageAnswer::No, true, false, 0,
       LedgerState::Programmed, MessageIcon::Question},
      {"held, yes", "0000000000000044", true, MessageAnswer::Yes, true, true, 1,
       LedgerState::Programmed, MessageIcon::Question},
      {"ledger cannot be opened", "0000000000000045", false, MessageAnswer::Yes, false, false, 0,
       std::nullopt, MessageIcon::Error},
  };
  const LedgerSettings settings{directory.File("no/such/folder/x.ledger"), ""};
  StationLedger unusable(settings, workingDirectory);
  CarrierIdLedger& store = *ledger.Store().value;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    simulator->PlaceBlankTransponder();
    const std::string uid = OnAntenna().uid;
    if (row.heldBefore) {
      const LedgerClaim claim{row.id, "other job", {}, "E0040000000000AA", "bay-2", "other"};
      ASSERT_TRUE(store.Reserve(claim).value.granted);
      ASSERT_TRUE(store.MarkProgrammed(row.id, "").ok());
    }
    CarrierIdGuard guard{context, row.ledgerOpens ? ledger : unusable, readBack};
    CarrierIdOperations operations{link, view, pages, reader, terminal, carrierId, guard};
    view.messages.clear();
    view.questionAnswer = row.answer;
    carrierId = {"0", "16", row.id};
    pages.displayForm = PageForm::Ascii;
    NewCommands();

    operations.OnWriteCarrierId();

    const std::vector<std::string> sent = NewCommands();
    const auto pageWrites = std::count_if(
        sent.begin(), sent.end(), [](const std::string& c) { return c.rfind("WD", 0) == 0; });
    EXPECT_EQ(pageWrites, row.written ? 2 : 0);
    EXPECT_EQ(PageChars(1) + PageChars(2) == row.id, row.written);
    ASSERT_EQ(view.messages.size(), row.message ? 1u : 0u);
    if (row.message) {
      const FakeStationView::Message& shown = view.messages[0];
      EXPECT_EQ(shown.icon, *row.message);
      EXPECT_EQ(shown.caption, "Torvane");
      const bool question = *row.message == MessageIcon::Question;
      EXPECT_EQ(shown.buttons, question ? MessageButtons::YesNo : MessageButtons::Ok);
      const std::vector<std::string> named =
          question ? std::vector<std::string>{row.id, "other job", "bay-2", "E0040000000000AA"}
                   : std::vector<std::string>{"does not exist"};
      for (const std::string& part : named) {
        EXPECT_NE(shown.text.find(part), std::string::npos) << part << " in " << shown.text;
      }
    }
    const auto held = store.LookUp(row.id).value;
    ASSERT_EQ(held.has_value(), row.stateAfter.has_value());
    if (held) {
      EXPECT_EQ(held->state, *row.stateAfter);
      if (!row.heldBefore) {
        EXPECT_EQ(held->source.kind, LedgerSourceKind::Manual);
        EXPECT_EQ(held->uid, uid);
      }
    }
    LedgerQuery query;
    query.carrierId = row.id;
    const std::vector<LedgerRewrite> rewrites = store.Rewrites(query).value;
    ASSERT_EQ(rewrites.size(), row.rewrites);
    if (!rewrites.empty()) {
      EXPECT_EQ(rewrites[0].uid, uid);
      EXPECT_EQ(rewrites[0].station, "bay-1");
    }
  }

  // A cycle never gives out an ID written by hand.
  simulator->PlaceBlankTransponder();
  view.messages.clear();
  setInUse.set.carrierId = "42";
  EXPECT_FALSE(Programs());
  ASSERT_FALSE(MessageHeads().empty());
  EXPECT_EQ(MessageHeads()[0].rfind("The ledger already holds carrier ID 0000000000000042", 0), 0u)
      << MessageHeads()[0];
}

}  // namespace
}  // namespace torvane::test
