#include <gtest/gtest.h>

#include "platform/hex_text.h"
#include "production/carrier_id_spins.h"
#include "production/production_fixture.h"
#include "production/production_messages.h"
#include "view/control_ids.h"

namespace torvane::test {
namespace {

using ProductionCycleTest = ProductionTest;

std::string WithZeros(const std::string& value) {
  return std::string(8 - std::min<std::size_t>(8, value.size()), '0') + value;
}

TEST_F(ProductionCycleTest, DecimalCounterPlacesItsDigitsAcrossPagesOneAndTwo) {
  UseDecimalCounter("42", "8", "1000");
  setInUse.set.carrierIdOffset = "4";
  const CycleOutcome outcome = cycle.ProgramOneTag();
  ASSERT_TRUE(outcome.programmed) << (view.messages.empty() ? "" : view.messages[0].text);
  EXPECT_FALSE(outcome.stopped);
  EXPECT_EQ(PageChars(1), std::string(4, '\0') + "0000");
  EXPECT_EQ(PageChars(2), std::string("0042") + std::string(4, '\0'));
  EXPECT_EQ(setInUse.set.carrierId, "43");
  EXPECT_EQ(production.nextCarrierId, "43");
  ASSERT_EQ(records.records.size(), 1u);
  EXPECT_TRUE(records.headers[0]);
  EXPECT_FALSE(production.headerPending);
  EXPECT_EQ(records.records[0].pageText[1], "30 30 34 32 00 00 00 00");
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(ProductionCycleTest, DecimalCounterStopsAtTheSmallerOfLengthAndMax) {
  struct Case {
    std::string next;
    std::string length;
    std::string max;
    bool written;
    std::string why;  // what the message says after "Quantity reached."
  };
  const Case cases[] = {
      {"9999", "4", "99999", true, ""}, {"10000", "4", "99999", false, "more than 4 digits"},
      {"500", "8", "500", true, ""},    {"501", "8", "500", false, "above \"max\" 500"},
      {"0", "8", "", true, ""},         {"1", "8", "", false, "\"max\" is empty"},
  };
  for (const Case& c : cases) {
    view.messages.clear();
    records.records.clear();
    simulator->PlaceBlankTransponder();
    UseDecimalCounter(c.next, c.length, c.max);
    const CycleOutcome outcome = cycle.ProgramOneTag();
    const std::string name = c.next + " of length " + c.length + " up to '" + c.max + "'";
    EXPECT_EQ(outcome.programmed, c.written) << name;
    EXPECT_EQ(records.records.size(), c.written ? 1u : 0u) << name;
    if (c.written) continue;
    EXPECT_EQ(setInUse.set.carrierId, c.next) << name;
    ASSERT_EQ(view.messages.size(), 1u) << name;
    const std::string& message = view.messages[0].text;
    EXPECT_TRUE(message.starts_with(std::string(text::kQuantityReached) + "\r\n")) << message;
    EXPECT_NE(message.find(c.why), std::string::npos) << message;
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning) << name;
  }
}

TEST_F(ProductionCycleTest, FixDataRunsItsQuantityAgainAfterTheCountIsReset) {
  setInUse.set.quantity = "3";
  for (int run = 0; run < 2; ++run) {
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(cycle.ProgramOneTag().programmed) << run << i;
    EXPECT_FALSE(cycle.ProgramOneTag().programmed);
    ASSERT_EQ(MessageTexts().size(), 1u);
    EXPECT_TRUE(MessageTexts()[0].starts_with(std::string(text::kQuantityReached) +
                                              "\r\nThe set's quantity of 3 transponders"));
    EXPECT_EQ(production.producedCount, 3u);
    production.producedCount = 0;  // a saved set taken over again
    view.messages.clear();
  }
  EXPECT_EQ(records.records.size(), 6u);
}

TEST_F(ProductionCycleTest, PageCounterIsWrittenThenCountsOnAndWraps) {
  struct Case {
    std::string before;
    std::string after;
  };
  for (const Case& c : {Case{"7", "00000008"}, Case{"99999999", "00000000"}}) {
    setInUse.set.quantity = "100";
    setInUse.set.counterPage = "3";
    setInUse.set.counterValue = c.before;
    SelectPages({3});
    ASSERT_TRUE(cycle.ProgramOneTag().programmed) << c.before;
    EXPECT_EQ(PageChars(3), WithZeros(c.before)) << c.before;
    EXPECT_EQ(setInUse.set.counterValue, c.after) << c.before;
    EXPECT_NE(SetFile().find("Counter Value=" + c.after), std::string::npos) << SetFile();
  }
}

TEST_F(ProductionCycleTest, FailedWriteAdvancesNothingAndTheNextCycleRetriesTheSameId) {
  UseDecimalCounter("5", "8", "100");
  setInUse.set.counterPage = "3";
  setInUse.set.counterValue = "00000011";
  SelectPages({3});
  simulator->NakPage(2);
  const CycleOutcome failed = cycle.ProgramOneTag();
  EXPECT_FALSE(failed.programmed);
  EXPECT_TRUE(failed.stopped);
  EXPECT_EQ(MessageHeads(), (std::vector<std::string>{text::kWriteError}));
  EXPECT_TRUE(view.messages[0].text.ends_with(MayHoldCarrierId("00000005")));
  EXPECT_EQ(view.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(setInUse.set.carrierId, "5");
  EXPECT_EQ(setInUse.set.counterValue, "00000011");
  EXPECT_TRUE(records.records.empty());
  EXPECT_NE(SetFile().find("Carrier ID=1\r\n"), std::string::npos);
  // A restart, after a regular end too, moves past it.
  cycle.OnStationEnd();
  EXPECT_TRUE(directory.Exists(InFlightFile::kFileName));

  simulator->NakPage(0);
  ASSERT_TRUE(cycle.ProgramOneTag().programmed);
  EXPECT_EQ(PageChars(1), "00000005");
  EXPECT_EQ(setInUse.set.carrierId, "6");
}

TEST_F(ProductionCycleTest, FailedLockAdvancesNothing) {
  UseDecimalCounter("5", "8", "100");
  setInUse.set.lockPage[1] = true;
  // Page 2 takes its write, then refuses its lock.
  view.onColour = [&](int field, std::uint32_t background) {
    if (field == ids::kPageField[1] && background == colour::kGreen) simulator->NakPage(2);
  };
  const CycleOutcome outcome = cycle.ProgramOneTag();
  EXPECT_FALSE(outcome.programmed);
  EXPECT_EQ(MessageHeads(), (std::vector<std::string>{text::kLockError}));
  EXPECT_TRUE(view.messages[0].text.ends_with(MayHoldCarrierId("00000005")));
  EXPECT_EQ(PageChars(1), "00000005");
  EXPECT_EQ(setInUse.set.carrierId, "5");
  EXPECT_TRUE(records.records.empty());
}

TEST_F(ProductionCycleTest, ClosedPortFailsLikeAWriteFailure) {
  UseDecimalCounter("5", "8", "100");
  link.CloseComPort();
  const CycleOutcome outcome = cycle.ProgramOneTag();
  EXPECT_FALSE(outcome.programmed);
  EXPECT_EQ(MessageHeads(), (std::vector<std::string>{text::kWriteError}));
  // Nothing reached a transponder.
  EXPECT_EQ(view.messages[0].text.find("may now hold"), std::string::npos);
  EXPECT_EQ(setInUse.set.carrierId, "5");
  EXPECT_TRUE(records.records.empty());
}

TEST_F(ProductionCycleTest, LockedPagesAreTheOnesTheSetLocks) {
  UseDecimalCounter("5", "8", "100");
  setInUse.set.lockPage[0] = true;
  ASSERT_TRUE(cycle.ProgramOneTag().programmed);
  EXPECT_TRUE(OnAntenna().locked[0]);
  EXPECT_FALSE(OnAntenna().locked[1]);
}

TEST_F(ProductionCycleTest, FocusGoesToTheFirstEditablePageAfterAGoodCycle) {
  setInUse.set.quantity = "5";
  EXPECT_FALSE(cycle.ProgramOneTag().focusPage);
  setInUse.set.editPage[4] = true;
  setInUse.set.editPage[9] = true;
  EXPECT_EQ(cycle.ProgramOneTag().focusPage, 4);
}

TEST_F(ProductionCycleTest, CountersAreSavedAfterEveryGoodCycle) {
  UseDecimalCounter("41", "8", "100");
  setInUse.set.counterPage = "4";
  setInUse.set.counterValue = "9";
  SelectPages({4});
  ASSERT_TRUE(cycle.ProgramOneTag().programmed);
  EXPECT_NE(SetFile().find("Carrier ID=42\r\n"), std::string::npos) << SetFile();
  EXPECT_NE(SetFile().find("Counter Value=00000010\r\n"), std::string::npos) << SetFile();
  EXPECT_EQ(SetFile().find("HEX 00=30"), std::string::npos);  // composed bytes stay in memory
}

TEST_F(ProductionCycleTest, CountersThatCannotBeSavedStopTheRunAndKeepTheIdInFlight) {
  UseDecimalCounter("41", "8", "100");
  std::filesystem::remove(directory.File("job.ini"));
  const CycleOutcome outcome = cycle.ProgramOneTag();
  EXPECT_TRUE(outcome.programmed);
  EXPECT_TRUE(outcome.stopped);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_NE(view.messages[0].text.find("could not be saved"), std::string::npos);
  EXPECT_EQ(records.records.size(), 1u);
  cycle.OnStationEnd();
  EXPECT_TRUE(directory.Exists(InFlightFile::kFileName));

  // Nothing more is written until the carrier ID can be settled.
  view.messages.clear();
  const std::size_t commands = simulator->ReceivedCommands().size();
  EXPECT_FALSE(cycle.ProgramOneTag().programmed);
  EXPECT_EQ(simulator->ReceivedCommands().size(), commands);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_NE(view.messages[0].text.find(InFlightFile::kFileName), std::string::npos);

  WriteSetFile("41", "0");
  simulator->PlaceBlankTransponder();
  ASSERT_TRUE(cycle.ProgramOneTag().programmed) << view.messages.back().text;
  EXPECT_EQ(PageChars(1), "00000042");
  EXPECT_NE(SetFile().find("Carrier ID=43"), std::string::npos);
}

TEST_F(ProductionCycleTest, RecordFileFailureStillCountsTheTransponder) {
  UseDecimalCounter("41", "8", "100");
  records.failure = "Protocol file can't be opened.";
  const CycleOutcome outcome = cycle.ProgramOneTag();
  EXPECT_TRUE(outcome.programmed);
  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(production.protocolFailure, 3);
  EXPECT_EQ(setInUse.set.carrierId, "42");
  EXPECT_TRUE(view.enabledControls.at(ids::kOneButton));
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(ProductionCycleTest, CsvCycleWritesTheLineAndMarksItDone) {
  setInUse.set.carrierIdLength = "8";
  UseCsv("Carrier ID;done\r\nAAAA0001;X\r\nAAAA0002;\r\n");
  ASSERT_TRUE(cycle.ProgramOneTag().programmed);
  EXPECT_EQ(PageChars(1), "AAAA0002");
  EXPECT_EQ(Csv(), "Carrier ID;done\r\nAAAA0001;X\r\nAAAA0002;X\r\n");
  const CycleOutcome ended = cycle.ProgramOneTag();
  EXPECT_FALSE(ended.programmed);
  EXPECT_EQ(MessageHeads(), (std::vector<std::string>{text::kEndOfFile}));
}

TEST_F(ProductionCycleTest, SpinsWrapAtTheLargestNumberOfTheLength) {
  struct Case {
    std::string value;
    SpinDirection direction;
    std::string result;
  };
  const Case cases[] = {
      {"99", SpinDirection::Up, "0"},  {"0", SpinDirection::Down, "99"},
      {"41", SpinDirection::Up, "42"}, {"41", SpinDirection::Down, "40"},
      {"abc", SpinDirection::Up, "1"}, {"150", SpinDirection::Up, "0"},
  };
  CarrierIdSpins spins(context);
  setInUse.set.carrierIdLength = "2";
  for (const Case& c : cases) {
    production.nextCarrierId = c.value;
    spins.OnNextSpin(c.direction);
    EXPECT_EQ(production.nextCarrierId, c.result) << c.value;
    EXPECT_EQ(setInUse.set.carrierId, c.result) << c.value;
    EXPECT_EQ(HexToChars(setInUse.set.byteHex[0] + setInUse.set.byteHex[1]),
              WithZeros(c.result).substr(6))
        << c.value;
    maxText = c.value;
    spins.OnMaxSpin(c.direction);
    EXPECT_EQ(maxText, c.result) << c.value;
  }
}

}  // namespace
}  // namespace torvane::test
