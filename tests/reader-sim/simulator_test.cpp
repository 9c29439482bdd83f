// The simulator on a real pseudo-terminal, talked to as a station would.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "link/serial_link.h"
#include "reader_simulator.h"
#include "support/pty_peer.h"

namespace torvane::sim {
namespace {

std::string FileText(const std::filesystem::path& path) {
  std::stringstream text;
  text << std::ifstream(path).rdbuf();
  return text.str();
}

class SimulatorTest : public ::testing::Test {
 protected:
  void StartWith(const SimOptions& options) {
    auto started = ReaderSimulator::Start(options);
    ASSERT_TRUE(started.ok()) << started.error;
    sim = std::move(started.value);
    station = std::make_unique<PtyPeer>(sim->devicePath());
    ASSERT_TRUE(station->ok()) << station->error();
  }
  void SetUp() override {
    char pattern[] = "/tmp/reader-sim-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder = pattern;
  }
  void TearDown() override {
    station.reset();
    sim.reset();
    std::filesystem::remove_all(folder);
  }
  std::string Ask(const std::string& command) {
    station->Write(command + "\r");
    return station->ReadLine();
  }

  std::filesystem::path folder;
  std::unique_ptr<ReaderSimulator> sim;
  std::unique_ptr<PtyPeer> station;
};

TEST_F(SimulatorTest, PacedLineDeliversEveryByteInOrder) {
  SimOptions options;
  options.paceBaud = 115200;
  StartWith(options);
  // A station that still knows the device by the name of a reader that hung up
  // (pseudo-terminal numbers are soon given out again) tries it while answers
  // are under way: it must neither flush nor read a byte of them.
  SerialLink stranger;
  for (int page = 1; page <= 17; ++page) {
    EXPECT_EQ(Ask("WD " + std::to_string(page) + " 0123456789ABCDEF"), "ACK\r");
    station->Write("RD " + std::to_string(page) + "\r");
    EXPECT_FALSE(stranger.OpenComPort(sim->devicePath(), 115200, 8, 0, 0, 0));
    EXPECT_EQ(station->ReadLine(), "0123456789ABCDEF\r");
  }
}

TEST_F(SimulatorTest, FaultsChangeOnlyTheNextAnswers) {
  struct Case {
    std::string name;
    std::function<void(ReaderSimulator&)> arrange;
    std::string command;
    std::string expected;  // the bytes the station gets for the command and a "TOR" after it
  };
  const std::vector<Case> cases = {
      {"dropped", [](auto& s) { s.DropNextAnswers(2); }, "WD 3 0011223344556677", ""},
      {"late", [](auto& s) { s.DelayNextAnswer(std::chrono::milliseconds(30)); }, "RUID",
       "E0040001\r10\r"},
      {"replaced", [](auto& s) { s.AnswerNextWith("XXXXXXXX"); }, "RUID", "XXXXXXXX\r10\r"},
      {"error code", [](auto& s) { s.AnswerNextWith("#09"); }, "RD 1", "#09\r10\r"},
      {"garbage", [](auto& s) { s.SendGarbageNext(std::string("\0\xFF\x1B", 3)); }, "RUID",
       std::string("\0\xFF\x1B", 3) + "10\r"},
      {"overlong", [](auto& s) { s.SendOverlongNext(); }, "RUID", std::string(300, 'Z') + "\r10\r"},
      {"refused page", [](auto& s) { s.NakPage(2); }, "WD 2 0011223344556677", "NAK\r10\r"},
      {"timing", [](auto& s) { s.SetTimingValue(256); }, "TOR", "256\r256\r"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartWith({});
    c.arrange(*sim);
    station->Write(c.command + "\rTOR\r");
    const std::size_t size = c.expected.size();
    EXPECT_EQ(station->ReadUntil([&](const std::string& got) { return got.size() >= size; }),
              c.expected);
    ASSERT_TRUE(sim->WaitForCommands(2, PtyPeer::kDefaultLimit));
    EXPECT_EQ(station->ReadPending(), "");  // nothing extra came
    // Back to normal; a command whose answer was lost still took effect.
    const bool written = c.command.starts_with("WD 3");
    EXPECT_EQ(Ask("RD 3"), written ? "0011223344556677\r" : "0000000000000000\r");
  }
}

TEST_F(SimulatorTest, StationCanCloseAndReopenThePortAndSeesAHangUpAndThePlugAgain) {
  SimOptions options;
  options.linkPath = folder / "reader";
  StartWith(options);
  EXPECT_EQ(Ask("WD 1 0011223344556677"), "ACK\r");
  for (int round = 0; round < 3; ++round) {
    station.reset();
    station = std::make_unique<PtyPeer>(options.linkPath);
    EXPECT_EQ(Ask("RD 1"), "0011223344556677\r");
  }
  sim->HangUp();
  EXPECT_TRUE(sim->hungUp());
  EXPECT_TRUE(station->WaitHangUp());
  EXPECT_TRUE(sim->OnAntenna().has_value());  // the record outlives the line
  // Its name goes with the line, and comes back with the plug.
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(options.linkPath)));

  station.reset();
  // Another pseudo-terminal opened meanwhile does not take the device's number.
  auto other = ReaderSimulator::Start({});
  ASSERT_TRUE(other.ok()) << other.error;
  EXPECT_NE(other.value->devicePath(), sim->devicePath());
  const Status plugged = sim->Plug();
  ASSERT_TRUE(plugged.ok()) << plugged.error;
  EXPECT_FALSE(sim->hungUp());
  station = std::make_unique<PtyPeer>(options.linkPath);
  EXPECT_EQ(Ask("RD 1"), "0011223344556677\r");
}

TEST_F(SimulatorTest, StateFileFollowsEveryChange) {
  SimOptions options;
  options.statePath = folder / "state.json";
  options.swapAfterLock = true;
  StartWith(options);
  EXPECT_NE(FileText(options.statePath).find("\"E0040001\", \"onAntenna\": true"),
            std::string::npos);
  EXPECT_EQ(Ask("WD 1 0011223344556677"), "ACK\r");
  EXPECT_EQ(Ask("LD 1"), "ACK\r");
  EXPECT_EQ(Ask("TOR"), "10\r");
  const std::string state = FileText(options.statePath);
  EXPECT_NE(state.find("\"pages\": [\"0011223344556677\""), std::string::npos) << state;
  EXPECT_NE(state.find("\"E0040002\", \"onAntenna\": true"), std::string::npos) << state;
  sim->RemoveTransponder();
  EXPECT_EQ(FileText(options.statePath).find("true, \"pages\""), std::string::npos);
  Transponder odd;  // a UID that must not break the document
  odd.uid = "a\"b\\c\x01\xE9";
  sim->SetTransponder(odd);
  EXPECT_NE(FileText(options.statePath).find(R"("uid": "a\"b\\c\u0001\u00E9")"), std::string::npos);
  EXPECT_EQ(sim->stateFileError(), "");
  EXPECT_FALSE(std::filesystem::exists(folder / "state.json.tmp"));
}

TEST_F(SimulatorTest, LogHoldsEachCommandAndAnswerWithATimeStamp) {
  SimOptions options;
  options.logPath = folder / "sim.log";
  StartWith(options);
  EXPECT_EQ(Ask("TOR"), "10\r");
  sim->SendGarbageNext(std::string("\x01\r", 2));
  EXPECT_EQ(Ask("RUID"), "\x01\r");
  sim.reset();  // flushes and closes the log
  std::istringstream log(FileText(options.logPath));
  std::vector<std::string> entries;
  for (std::string stamp, direction, text; log >> stamp >> direction >> text;) {
    EXPECT_GT(std::stod(stamp), 0.0);
    entries.push_back(direction + " " + text);
  }
  EXPECT_EQ(entries, (std::vector<std::string>{"rx TOR", "tx 10\\r", "rx RUID", "tx \\x01\\r"}));
}

TEST_F(SimulatorTest, UnusableFilesStopTheStartWithTheReason) {
  for (const auto& [state, log] :
       {std::pair{"/nonexistent/state.json", ""}, std::pair{"", "/nonexistent/sim.log"}}) {
    SimOptions options;
    options.statePath = state;
    options.logPath = log;
    const auto started = ReaderSimulator::Start(options);
    EXPECT_FALSE(started.ok());
    EXPECT_NE(started.error.find("/nonexistent/"), std::string::npos) << started.error;
  }
}

TEST_F(SimulatorTest, OperatorMayChangeTheAntennaWhileTheStationTalks) {
  SimOptions options;
  options.empty = true;
  StartWith(options);
  std::thread operatorHand([this] {
    for (int i = 0; i < 50; ++i) {
      sim->PlaceBlankTransponder();
      sim->RemoveTransponder();
    }
  });
  for (int i = 0; i < 50; ++i) {
    const std::string answer = Ask("RUID");
    EXPECT_TRUE(answer == "No Read\r" || (answer.size() == 9 && answer.starts_with("E004")))
        << answer;
  }
  operatorHand.join();
  EXPECT_EQ(sim->Programmed().size(), 50u);
  EXPECT_FALSE(sim->OnAntenna());
}

}  // namespace
}  // namespace torvane::sim
