// The supply of transponders: UIDs, placement, and the swap that starts each
// production cycle with a fresh transponder.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "reader_protocol.h"
#include "transponder_supply.h"

namespace torvane::sim {
namespace {

struct SwapCase {
  std::string name;
  bool swapAfterLock;
  bool startEmpty;
  std::vector<std::string> commands;
  std::size_t expectedCount;
  std::string expectedOnAntenna;  // empty: none
};

TEST(SupplyTest, TimingRequestAfterAcknowledgedLockBringsAFreshTransponder) {
  const std::string write = "WD 1 0011223344556677";
  const std::vector<SwapCase> cases = {
      {"production cycle", true, false, {"TOR", write, "TOR", "LD 1", "TOR"}, 2, "E0040002"},
      {"swap off", false, false, {"TOR", write, "TOR", "LD 1", "TOR"}, 1, "E0040001"},
      {"no timing request yet", true, false, {"LD 1", "LD 2", "RD 1"}, 1, "E0040001"},
      {"only one swap per lock", true, false, {"LD 1", "TOR", "TOR"}, 2, "E0040002"},
      {"refused lock", true, false, {"LD 19", "TOR"}, 1, "E0040001"},
      {"nothing on the antenna", true, true, {"LD 1", "TOR"}, 0, ""},
      {"two cycles", true, false, {"LD 1", "TOR", "LD 1", "TOR"}, 3, "E0040003"},
  };
  for (const SwapCase& c : cases) {
    SCOPED_TRACE(c.name);
    TransponderSupply supply(0xE0040001, c.startEmpty, c.swapAfterLock);
    ReaderProtocol protocol(supply);
    for (const std::string& command : c.commands) protocol.Respond(command);
    EXPECT_EQ(supply.all().size(), c.expectedCount);
    EXPECT_EQ(supply.onAntenna() ? supply.onAntenna()->uid : "", c.expectedOnAntenna);
  }
}

TEST(SupplyTest, SwapDelayBringsAFreshTransponderThatLongAfterTheLastLock) {
  using std::chrono::milliseconds;
  const TransponderSupply::Clock::time_point start{};
  struct Step {
    int atMs;
    std::string command;  // empty: time passes only
    std::string expectedOnAntenna;
  };
  const std::vector<std::pair<std::string, std::vector<Step>>> cases = {
      {"swap after the delay",
       {{0, "LD 1", "E0040001"}, {99, "", "E0040001"}, {100, "", "E0040002"}}},
      {"each lock starts the delay again",
       {{0, "LD 1", "E0040001"},
        {80, "LD 2", "E0040001"},
        {150, "", "E0040001"},
        {180, "", "E0040002"}}},
      {"one swap per locked transponder", {{0, "LD 1", ""}, {100, "", ""}, {500, "", "E0040002"}}},
      {"no swap without a lock", {{0, "WD 1 0011223344556677", ""}, {500, "", "E0040001"}}},
  };
  for (const auto& [name, steps] : cases) {
    SCOPED_TRACE(name);
    TransponderSupply supply(0xE0040001, false, false);
    supply.SetSwapDelay(milliseconds(100));
    ReaderProtocol protocol(supply);
    for (const Step& step : steps) {
      supply.AdvanceTo(start + milliseconds(step.atMs));
      if (!step.command.empty()) protocol.Respond(step.command);
      if (!step.expectedOnAntenna.empty()) {
        EXPECT_EQ(supply.onAntenna()->uid, step.expectedOnAntenna) << step.atMs;
      }
    }
  }
  TransponderSupply never(0xE0040001, false, false);
  ReaderProtocol protocol(never);
  protocol.Respond("LD 1");
  never.AdvanceTo(start + milliseconds(3'600'000));
  EXPECT_EQ(never.all().size(), 1u);
}

TEST(SupplyTest, UidsCountUpInEightHexDigitsAndWrapAround) {
  TransponderSupply supply(0xFFFFFFFE, false, false);
  supply.PlaceBlank();
  supply.PlaceBlank();
  ASSERT_EQ(supply.all().size(), 3u);
  EXPECT_EQ(supply.all()[0].uid, "FFFFFFFE");
  EXPECT_EQ(supply.all()[1].uid, "FFFFFFFF");
  EXPECT_EQ(supply.all()[2].uid, "00000000");
}

TEST(SupplyTest, UidOnRecordIsTheSameTransponderPutBack) {
  TransponderSupply supply(0xE0040001, false, false);
  Transponder changed = *supply.onAntenna();
  changed.pages[0][0] = 0x42;
  supply.Remove();
  supply.Place(changed);
  Transponder prepared;
  prepared.uid = "E0040002";
  supply.Place(prepared);
  supply.PlaceBlank();  // skips the UID the prepared one took
  ASSERT_EQ(supply.all().size(), 3u);
  EXPECT_EQ(supply.all()[0], changed);
  EXPECT_EQ(supply.onAntenna()->uid, "E0040003");
}

}  // namespace
}  // namespace torvane::sim
