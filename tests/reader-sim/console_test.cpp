// The operator's commands on standard input and the program's options.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_line.h"
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
      {"  remove  ", "removed"},
      {"remove", "no transponder on the antenna"},
      {"show", "no transponder on the antenna"},
      {"list", "  1  E0040001  locked  0/17"},
      {"", ""},
      {"bogus", "unknown command 'bogus'"},
      {"place now", "'place' takes no argument"},
      {"nak 18", "usage: nak N"},
      {"timing", "usage: timing N"},
      {"latency -1", "usage: latency MS"},
      {"drop x", "usage: drop K"},
      {"garbage 0G", "usage: garbage [HEX]"},
      {"garbage 0", "usage: garbage [HEX]"},
      {"help", "Commands:"},
  };
  for (const auto& [command, replyStart] : cases)
    EXPECT_TRUE(console->Execute(command).starts_with(replyStart)) << command;
  EXPECT_FALSE(console->quitRequested());
  EXPECT_EQ(console->Execute("quit"), "bye");
  EXPECT_TRUE(console->quitRequested());
}

TEST_F(ConsoleTest, ShowsTheMemoryOfTheTransponderOnTheAntenna) {
  PtyPeer station(sim->devicePath());
  station.Write("WD 17 4142434400FF2021\rLD 17\r");
  ASSERT_TRUE(sim->WaitForCommands(2, PtyPeer::kDefaultLimit));
  const std::string shown = console->Execute("show");
  EXPECT_TRUE(shown.starts_with("UID E0040001\npage  1  00 00 00 00 00 00 00 00  ........\n"));
  EXPECT_TRUE(shown.ends_with("\npage 17  41 42 43 44 00 FF 20 21  ABCD.. !  locked")) << shown;
}

TEST_F(ConsoleTest, FaultCommandsReachTheLine) {
  PtyPeer station(sim->devicePath());
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"answer No Read", "No Read\r"},
      {"garbage 41FF0D", "A\xFF\r"},
      {"timing 7", "7\r"},
  };
  for (const auto& [command, answer] : cases) {
    EXPECT_EQ(console->Execute(command), "ok");
    station.Write("TOR\r");
    EXPECT_EQ(station.ReadLine(), answer) << command;
  }
}

TEST(CommandLineTest, TakesEveryOptionAndItsValue) {
  const auto parsed =
      ParseCommandLine({"--link",        "/tmp/reader", "--empty",        "--swap-after-lock",
                        "--first-uid",   "a0",          "--timing",       "12",
                        "--latency",     "5",           "--write-time",   "6",
                        "--lock-time",   "7",           "--baud",         "9600",
                        "--state",       "s.json",      "--log",          "sim.log",
                        "--drop",        "2",           "--nak-page",     "3",
                        "--answer-next", "#09",         "--overlong-next"});
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  const CommandLine& line = parsed.value;
  EXPECT_EQ(line.linkPath, "/tmp/reader");
  EXPECT_TRUE(line.options.empty && line.options.swapAfterLock && !line.help);
  EXPECT_EQ(line.options.firstUid, 0xA0u);
  EXPECT_EQ(line.options.timingValue, 12);
  EXPECT_EQ(line.options.answerLatency.count() * 100 + line.options.writeTime.count() * 10 +
                line.options.lockTime.count(),
            567);
  EXPECT_EQ(line.options.paceBaud, 9600u);
  EXPECT_EQ(line.options.statePath, "s.json");
  EXPECT_EQ(line.options.logPath, "sim.log");
  EXPECT_EQ(line.consoleCommands,
            (std::vector<std::string>{"drop 2", "nak 3", "answer #09", "overlong"}));
}

TEST(CommandLineTest, RefusesBadOptionsWithTheReason) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"stray"}, "unknown option 'stray'"},
      {{"--link"}, "needs a value"},
      {{"--link", ""}, "invalid value"},
      {{"--timing", "-1"}, "invalid value '-1' for --timing"},
      {{"--latency", "1s"}, "invalid value '1s' for --latency"},
      {{"--baud", "0"}, "invalid value '0' for --baud"},
      {{"--first-uid", "123456789"}, "invalid value"},
      {{"--nak-page", "18"}, "invalid value"},
      {{"--garbage-next", "xyz"}, "invalid value"},
  };
  for (const auto& [arguments, reason] : cases) {
    const auto parsed = ParseCommandLine(arguments);
    EXPECT_FALSE(parsed.ok()) << arguments.front();
    EXPECT_NE(parsed.error.find(reason), std::string::npos) << parsed.error;
  }
}

}  // namespace
}  // namespace torvane::sim
