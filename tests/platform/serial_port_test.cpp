#include "platform/serial_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <thread>

#include "platform/custom_baud_rate.h"
#include "platform/termios_settings.h"
#include "support/pty_peer.h"

namespace torvane {
namespace {

using std::chrono_literals::operator""ms;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A serial port on a pseudo-terminal, plus a second descriptor of the same
// terminal, opened first, through which the test reads back what the port set.
class SerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(peer_.ok()) << peer_.error();
    observer_ = open(peer_.slavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(observer_, 0);
    auto opened = SerialPort::Open(peer_.slavePath());
    ASSERT_TRUE(opened.ok()) << opened.error;
    port_ = std::move(opened.value);
  }
  void TearDown() override { close(observer_); }

  termios Observed() const {
    termios settings{};
    EXPECT_EQ(tcgetattr(observer_, &settings), 0);
    return settings;
  }

  PtyPeer peer_;
  int observer_ = -1;
  std::unique_ptr<SerialPort> port_;
};

TEST_F(SerialPortTest, OpenRefusesWhatIsNoUsableSerialDevice) {
  const std::pair<std::string, const char*> cases[] = {
      {"", "No port name"},
      {"/dev/torvane-no-such-port", "No such file or directory"},
      {"null", "Inappropriate ioctl for device"},  // /dev/null: a device, but no terminal
      {peer_.slavePath(), "in use"},               // opened by the fixture
  };
  for (const auto& [name, reason] : cases) {
    const auto opened = SerialPort::Open(name);
    EXPECT_FALSE(opened.ok()) << name;
    EXPECT_TRUE(Contains(opened.error, reason)) << opened.error;
  }
  // A refused open leaves the first port's hold on the device as it was.
  int exclusive = 0;
  ASSERT_EQ(ioctl(observer_, TIOCGEXCL, &exclusive), 0);
  EXPECT_EQ(exclusive, 1);
  ASSERT_TRUE(port_->Close().ok());
  EXPECT_TRUE(SerialPort::Open(peer_.slavePath()).ok());
}

// Standard rates go through termios, the others through termios2.
TEST_F(SerialPortTest, AppliesTheBaudRateAndTheEncodedFraming) {
  const SerialParameters cases[] = {{110, 8, 0, 2, 2},
                                    {9600, 8, 0, 0, 1},
                                    {921600, 8, 0, 0, 0},
                                    {250000, 8, 0, 2, 0},
                                    {31250, 8, 0, 0, 2}};
  for (const SerialParameters& parameters : cases) {
    const Status applied = port_->Apply(parameters);
    ASSERT_TRUE(applied.ok()) << parameters.baudRate << ": " << applied.error;
    EXPECT_EQ(ReadCustomBaudRate(observer_).value, parameters.baudRate);
    const termios observed = Observed();
    termios wanted = observed;
    EncodeSerialFraming(parameters, wanted);
    EXPECT_FALSE(FramingMismatch(wanted, observed));
    EXPECT_EQ(observed.c_lflag & (ICANON | ECHO | ISIG), 0u);
  }
}

TEST_F(SerialPortTest, RefusalsCarryAReason) {
  const std::pair<SerialParameters, const char*> cases[] = {
      {{9600, 4, 0, 0, 0}, "4 data bits are not supported"},
      {{9600, 8, 0, 1, 0}, "1.5 stop bits are not supported"},
      {{0, 8, 0, 0, 0}, "baud rate of 0"},
      {{9600, 8, 5, 0, 0}, "Unknown parity code 5"},
      {{9600, 8, 0, 3, 0}, "Unknown stop bits code 3"},
      // A pseudo-terminal always frames 8 bits without parity.
      {{9600, 7, 0, 0, 0}, "refused"},
      {{9600, 8, 2, 0, 0}, "refused"},
      {{9600, 8, 3, 0, 0}, "refused"},
  };
  for (const auto& [parameters, reason] : cases) {
    const Status applied = port_->Apply(parameters);
    EXPECT_FALSE(applied.ok()) << reason;
    EXPECT_TRUE(Contains(applied.error, reason)) << applied.error;
  }
}

TEST(SerialFramingTest, EncodesRawModeWithTheFramingAndFlowControlAsked) {
  struct Case {
    SerialParameters parameters;
    tcflag_t size, parity;
    bool twoStopBits, hardwareFlow, softwareFlow;
  };
  // Linux sends a mark (1) parity bit for CMSPAR with PARODD, a space (0) without.
  const Case cases[] = {
      {{9600, 5, 0, 0, 0}, CS5, 0, false, false, false},
      {{9600, 6, 1, 2, 0}, CS6, PARENB | PARODD, true, false, false},
      {{9600, 7, 2, 0, 1}, CS7, PARENB, false, false, true},
      {{9600, 8, 3, 2, 2}, CS8, PARENB | CMSPAR | PARODD, true, true, false},
      {{9600, 8, 4, 0, 7}, CS8, PARENB | CMSPAR, false, false, false},  // unknown flow code: none
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    termios settings{};  // with what an earlier use left
    settings.c_cflag = PARENB | PARODD | CMSPAR | CS8 | CRTSCTS;
    settings.c_iflag = ICRNL | IXON | INPCK;
    settings.c_lflag = ICANON | ECHO | ISIG;
    settings.c_oflag = OPOST;
    ASSERT_TRUE(ValidateSerialParameters(c.parameters).ok());
    EncodeSerialFraming(c.parameters, settings);
    EXPECT_EQ(settings.c_cflag & CSIZE, c.size);
    EXPECT_EQ(settings.c_cflag & (PARENB | PARODD | CMSPAR), c.parity);
    EXPECT_EQ((settings.c_cflag & CSTOPB) != 0, c.twoStopBits);
    EXPECT_EQ((settings.c_cflag & CRTSCTS) != 0, c.hardwareFlow);
    EXPECT_EQ(settings.c_iflag & (IXON | IXOFF), c.softwareFlow ? IXON | IXOFF : 0u);
    if (c.softwareFlow) {
      EXPECT_EQ(settings.c_cc[VSTART], 0x11);
      EXPECT_EQ(settings.c_cc[VSTOP], 0x13);
    }
    EXPECT_EQ(settings.c_iflag & (ICRNL | INPCK), 0u) << "parity is never checked on input";
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(settings.c_oflag & OPOST, 0u);
    EXPECT_FALSE(FramingMismatch(settings, settings));
  }
}

TEST(SerialFramingTest, NamesTheSettingADeviceDidNotTake) {
  struct Case {
    SerialParameters wanted;
    tcflag_t cflagCleared, cflagSet, iflagCleared;
    std::optional<std::string> setting;
  };
  const Case cases[] = {
      {{9600, 8, 0, 2, 2}, CSIZE, 0, 0, "data bits"},
      {{9600, 8, 0, 2, 2}, CSTOPB, 0, 0, "stop bits"},
      {{9600, 8, 0, 2, 2}, CRTSCTS, 0, 0, "flow control"},
      {{9600, 8, 4, 0, 1}, 0, 0, IXOFF, "flow control"},
      {{9600, 8, 4, 0, 1}, CMSPAR, 0, 0, "parity"},
      // Without parity the leftover parity bits a pseudo-terminal keeps mean nothing.
      {{9600, 8, 0, 2, 2}, 0, PARODD | CMSPAR, 0, std::nullopt},
  };
  for (const Case& c : cases) {
    termios wanted{};
    EncodeSerialFraming(c.wanted, wanted);
    termios applied = wanted;
    applied.c_cflag = (applied.c_cflag & ~c.cflagCleared) | c.cflagSet;
    applied.c_iflag &= ~c.iflagCleared;
    EXPECT_EQ(FramingMismatch(wanted, applied), c.setting) << &c - cases;
  }
}

TEST_F(SerialPortTest, PurgeDropsUnreadInputAndAnEmptyPortDoesNotBlock) {
  ASSERT_TRUE(port_->Apply({}).ok());
  ASSERT_TRUE(peer_.Write("stale answer\r"));
  ASSERT_TRUE(port_->WaitReadable(5000ms).value);
  ASSERT_TRUE(port_->Purge().ok());
  EXPECT_EQ(port_->InputQueueCount().value, 0);
  EXPECT_FALSE(port_->WaitReadable(1ms).value);
  char buffer[8];
  EXPECT_FALSE(port_->ReadQueued(buffer).ok());
}

TEST_F(SerialPortTest, WriteWaitsForASlowDeviceAndGivesUpOnOneThatTakesNothing) {
  ASSERT_TRUE(port_->Apply({}).ok());
  // Far more than the terminal buffers, so the text crosses in many pieces.
  std::string text;
  for (int i = 0; text.size() < 200000; ++i) text += std::to_string(i) + ',';
  std::string received;
  std::thread reader([&] {
    received = peer_.ReadUntil([&](const std::string& got) { return got.size() >= text.size(); });
  });
  EXPECT_TRUE(port_->Write(text).ok());
  reader.join();
  EXPECT_EQ(received, text);

  const Status stuck = port_->Write(text);
  EXPECT_FALSE(stuck.ok());
  EXPECT_TRUE(Contains(stuck.error, "takes no data")) << stuck.error;
}

}  // namespace
}  // namespace torvane
