// The operator's commands on standard input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console_commands.h"
#include "reader_simulator.h"
#include "support/pty_peer.h"

namespace torvane::sim {
namespace {

class ConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto started = ReaderSimulator::Start({});
    ASSERT_TRUE(started.ok()) << started.error;
    sim = std::move(started.value);
    console = std::make_unique<ConsoleCommands>(*sim);
  }
  std::unique_ptr<ReaderSimulator> sim;
  std::unique_ptr<ConsoleCommands> console;
};

TEST_F(ConsoleTest, RepliesToGoodAndBadCommands) {
  const std::pair<const char*, const char*> cases[] = {
      {"place", "placed E0040002"},
      {"remove", "removed"},
      {"  remove  ", "no transponder on the antenna"},
      {"list", "  1  E0040001  locked  0/17"},
      {"bogus", "unknown command 'bogus'"},
      {"place now", "'place' takes no argument"},
      {"nak 18", "usage: nak N"},
      {"latency -1", "usage: latency MS"},
      {"swap-delay 250", "ok"},
      {"swap-delay x", "usage: swap-delay MS"},
      {"garbage 0G", "usage: garbage [HEX]"},
      {"bad-store 1", "ok"},
      {"bad-store", "usage: bad-store K"},
      {"help", "Commands:"},
  };
  for (const auto& [command, replyStart] : cases)
    EXPECT_TRUE(console->Execute(command).starts_with(replyStart)) << command;
  EXPECT_FALSE(console->quitRequested());
  EXPECT_EQ(console->Execute("quit"), "bye");
  EXPECT_TRUE(console->quitRequested());
}

TEST_F(ConsoleTest, CommandsReachTheLineAndShowTheMemory) {
  PtyPeer station(sim->devicePath());
  const std::pair<const char*, const char*> cases[] = {
      {"answer No Read", "No Read\r"}, {"garbage 41FF0D", "A\xFF\r"}, {"timing 7", "7\r"}};
  for (const auto& [command, answer] : cases) {
    EXPECT_EQ(console->Execute(command), "ok");
    station.Write("TOR\r");
    EXPECT_EQ(station.ReadLine(), answer) << command;
  }
  station.Write("WD 17 4142434400FF2021\rLD 17\r");
  ASSERT_TRUE(sim->WaitForCommands(5, PtyPeer::kDefaultLimit));
  const std::string shown = console->Execute("show");
  EXPECT_TRUE(shown.starts_with("UID E0040001\npage  1  00 00 00 00 00 00 00 00  ........\n"));
  EXPECT_TRUE(shown.ends_with("\npage 17  41 42 43 44 00 FF 20 21  ABCD.. !  locked")) << shown;
}

}  // namespace
}  // namespace torvane::sim
