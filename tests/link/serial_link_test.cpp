#include "link/serial_link.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <vector>

#include "support/pty_peer.h"

namespace torvane {
namespace {

using ::testing::AnyOf;
using ::testing::ElementsAre;
using Lines = std::vector<std::string>;
using std::chrono_literals::operator""ms;
constexpr std::chrono::milliseconds kGenerous{5000};

// Collects the lines the receive thread hands to the terminal pane.
class HookRecorder {
 public:
  SerialLink::LineHook Hook() {
    return [this](const std::string& line) {
      std::lock_guard lock(mutex_);
      lines_.push_back(line);
      changed_.notify_all();
    };
  }
  // The lines once at least `count` arrived, or what arrived within the limit.
  Lines WaitFor(std::size_t count) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, kGenerous, [&] { return lines_.size() >= count; });
    return lines_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  Lines lines_;
};

class SerialLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(peer_.ok()) << peer_.error();
    link_.setLineHook(recorder_.Hook());
    ASSERT_TRUE(Open(8)) << link_.lastError();
    ASSERT_TRUE(link_.receiveThreadRunning()) << link_.lastError();
    link_.ResetAnswerEvent();
  }

  bool Open(std::uint8_t dataBits) {
    return link_.OpenComPort(peer_.slavePath(), 115200, dataBits, 0, 0, 0);
  }

  PtyPeer peer_;
  HookRecorder recorder_;
  SerialLink link_;
};

TEST_F(SerialLinkTest, AnswersReachTheWaiterAndThePaneInOrder) {
  ASSERT_TRUE(peer_.Write("1234\r"));
  EXPECT_EQ(link_.WaitAnswer(kGenerous), "1234\r\n");
  EXPECT_EQ(recorder_.WaitFor(1), Lines{"1234\r\n"});
  EXPECT_EQ(link_.WaitAnswer(1ms), std::nullopt) << "one line sets the event once";

  ASSERT_TRUE(peer_.Write("A\rB\r"));
  EXPECT_EQ(recorder_.WaitFor(3), (Lines{"1234\r\n", "A\r\n", "B\r\n"}));
  // The waiter sees A only when it took it before B completed; B comes last.
  Lines answers;
  while (answers.empty() || answers.back() != "B\r\n") {
    const auto answer = link_.WaitAnswer(kGenerous);
    if (!answer) break;
    answers.push_back(*answer);
  }
  EXPECT_THAT(answers, AnyOf(ElementsAre("B\r\n"), ElementsAre("A\r\n", "B\r\n")));
}

TEST_F(SerialLinkTest, BurstLongerThanOneReadKeepsItsLinesApart) {
  const std::string longest(SerialLink::kMaxLineLength, 'z');
  ASSERT_TRUE(peer_.Write(longest + std::string(300, 'z') + "\rACK\r"));
  EXPECT_EQ(recorder_.WaitFor(2), (Lines{longest + "\r\n", "ACK\r\n"}));
}

TEST_F(SerialLinkTest, BusyOperationKeepsLinesFromThePane) {
  for (const auto& [readBusy, writeBusy] : {std::pair{true, false}, {false, true}, {true, true}}) {
    link_.setReadBusy(readBusy);
    link_.setWriteBusy(writeBusy);
    ASSERT_TRUE(peer_.Write("ACK\r"));
    EXPECT_EQ(link_.WaitAnswer(kGenerous), "ACK\r\n");
  }
  link_.setReadBusy(false);
  link_.setWriteBusy(false);
  ASSERT_TRUE(peer_.Write("free\r"));
  EXPECT_EQ(recorder_.WaitFor(1), Lines{"free\r\n"});
}

TEST_F(SerialLinkTest, SendsEveryByteInOrder) {
  const std::string longCommand = "WD 1 " + std::string(300, '0') + "\r";
  for (const std::string& command : {std::string("RD 17\r"), longCommand}) {
    EXPECT_EQ(link_.SendLine(command), 0);
    EXPECT_EQ(peer_.ReadLine(), command);
  }
  EXPECT_EQ(link_.SendLine(""), 0);
}

TEST_F(SerialLinkTest, ReaderConversationSurvivesClosingAndReopening) {
  for (int round = 0; round < 3; ++round) {
    std::thread reader([&] {
      const std::string command = peer_.ReadLine();
      if (!command.empty()) peer_.Write("ACK " + command);
    });
    EXPECT_EQ(link_.SendLine("LD 3\r"), 0);
    EXPECT_EQ(link_.WaitAnswer(kGenerous), "ACK LD 3\r\n") << round;
    reader.join();
    EXPECT_TRUE(link_.CloseComPort());
    EXPECT_FALSE(link_.portOpen());
    EXPECT_FALSE(link_.receiveThreadRunning());
    ASSERT_TRUE(Open(8)) << link_.lastError();
    link_.ResetAnswerEvent();
  }
}

TEST_F(SerialLinkTest, ClosedPortNeitherReadsNorSends) {
  ASSERT_TRUE(link_.CloseComPort());
  EXPECT_TRUE(link_.CloseComPort()) << "closing no port succeeds";
  ASSERT_TRUE(peer_.Write("after close\r"));
  EXPECT_EQ(link_.WaitAnswer(20ms), std::nullopt);
  EXPECT_EQ(link_.SendLine("RD 1\r"), -1);
  EXPECT_EQ(peer_.ReadPending(), "");
  EXPECT_EQ(recorder_.WaitFor(0), Lines{});
}

TEST_F(SerialLinkTest, RefusedParametersLeaveThePortOpenWithoutThread) {
  for (const auto& [dataBits, reason] : {std::pair{4, "4 data bits"}, {7, "refused"}}) {
    EXPECT_TRUE(Open(static_cast<std::uint8_t>(dataBits)));
    EXPECT_TRUE(link_.portOpen());
    EXPECT_FALSE(link_.receiveThreadRunning());
    EXPECT_NE(link_.lastError().find(reason), std::string::npos) << link_.lastError();
    EXPECT_EQ(link_.SendLine("TOR\r"), 0);
    EXPECT_EQ(peer_.ReadLine(), "TOR\r");
  }
  EXPECT_FALSE(link_.OpenComPort("torvane-no-such-port", 9600, 8, 0, 0, 0));
  EXPECT_FALSE(link_.portOpen());
  EXPECT_NE(link_.lastError().find("/dev/torvane-no-such-port"), std::string::npos)
      << link_.lastError();
}

TEST_F(SerialLinkTest, VanishedDeviceNeitherSpinsNorHangs) {
  peer_.Close();
  EXPECT_NE(link_.SendLine("RD 1\r"), 0);
  EXPECT_FALSE(link_.lastError().empty());

  // A receive thread that spins makes thousands of passes per millisecond; a
  // resting one makes one per few milliseconds.
  const auto start = std::chrono::steady_clock::now();
  const std::uint64_t passesBefore = link_.receivePasses();
  std::this_thread::sleep_for(100ms);
  const std::uint64_t passes = link_.receivePasses() - passesBefore;
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  EXPECT_LE(passes, static_cast<std::uint64_t>(elapsed.count()) + 1);

  EXPECT_TRUE(link_.CloseComPort());
  EXPECT_FALSE(link_.receiveThreadRunning());
}

}  // namespace
}  // namespace torvane
