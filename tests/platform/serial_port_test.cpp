#include "platform/serial_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

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
  ASSERT_TRUE(port_->Close().ok());
  EXPECT_TRUE(SerialPort::Open(peer_.slavePath()).ok());
}

TEST_F(SerialPortTest, AppliesStandardAndCustomBaudRates) {
  for (const std::uint32_t rate : {110u, 9600u, 115200u, 921600u, 250000u, 31250u}) {
    SerialParameters parameters;
    parameters.baudRate = rate;
    const Status applied = port_->Apply(parameters);
    ASSERT_TRUE(applied.ok()) << rate << ": " << applied.error;
    EXPECT_EQ(ReadCustomBaudRate(observer_).value, rate);
  }
}

TEST_F(SerialPortTest, AppliesStopBitsAndFlowControlInRawMode) {
  struct Case {
    std::uint8_t stopBitsCode;
    std::uint8_t flowControlCode;
    bool twoStopBits, hardwareFlow, softwareFlow;
  };
  const Case cases[] = {
      {0, 0, false, false, false}, {2, 0, true, false, false},  {0, 1, false, false, true},
      {2, 2, true, true, false},   {0, 7, false, false, false},  // unknown flow code: none
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    SerialParameters parameters;
    parameters.stopBitsCode = c.stopBitsCode;
    parameters.flowControlCode = c.flowControlCode;
    const Status applied = port_->Apply(parameters);
    ASSERT_TRUE(applied.ok()) << applied.error;
    const termios settings = Observed();
    EXPECT_EQ((settings.c_cflag & CSTOPB) != 0, c.twoStopBits);
    EXPECT_EQ((settings.c_cflag & CRTSCTS) != 0, c.hardwareFlow);
    EXPECT_EQ((settings.c_iflag & IXON) != 0, c.softwareFlow);
    EXPECT_EQ((settings.c_iflag & IXOFF) != 0, c.softwareFlow);
    if (c.softwareFlow) {
      EXPECT_EQ(settings.c_cc[VSTART], 0x11);
      EXPECT_EQ(settings.c_cc[VSTOP], 0x13);
    }
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(settings.c_oflag & OPOST, 0u);
    EXPECT_EQ(settings.c_iflag & (ICRNL | INLCR | IGNCR | INPCK), 0u);
    EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
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

TEST(SerialFramingTest, EncodesDataBitsAndEveryParity) {
  struct Case {
    std::uint8_t dataBits, parityCode;
    tcflag_t size, parity;
  };
  // Linux sends a mark (1) parity bit for CMSPAR with PARODD, a space (0) without.
  const Case cases[] = {
      {5, 0, CS5, 0},
      {6, 1, CS6, PARENB | PARODD},
      {7, 2, CS7, PARENB},
      {8, 3, CS8, PARENB | CMSPAR | PARODD},
      {8, 4, CS8, PARENB | CMSPAR},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    termios settings{};
    settings.c_cflag = PARENB | PARODD | CMSPAR | CS8;  // left over from an earlier use
    const SerialParameters parameters{9600, c.dataBits, c.parityCode, 0, 0};
    ASSERT_TRUE(ValidateSerialParameters(parameters).ok());
    EncodeSerialFraming(parameters, settings);
    EXPECT_EQ(settings.c_cflag & CSIZE, c.size);
    EXPECT_EQ(settings.c_cflag & (PARENB | PARODD | CMSPAR), c.parity);
    EXPECT_EQ(settings.c_iflag & INPCK, 0u) << "parity is never checked on input";
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

TEST_F(SerialPortTest, MovesRawBytesBothWaysAndPurgeDropsUnreadInput) {
  ASSERT_TRUE(port_->Apply({}).ok());
  for (const char byte : std::string("RD 1\r")) ASSERT_TRUE(port_->WriteByte(byte).ok());
  EXPECT_EQ(peer_.ReadLine(), "RD 1\r");

  ASSERT_TRUE(peer_.Write(std::string("\0\n", 2)));
  for (const char expected : {'\0', '\n'}) {
    ASSERT_TRUE(port_->WaitReadable(5000ms).value);
    EXPECT_EQ(port_->ReadByte().value, expected);
  }
  EXPECT_FALSE(port_->ReadByte().ok()) << "nothing to read must not block";

  ASSERT_TRUE(peer_.Write("stale answer\r"));
  ASSERT_TRUE(port_->WaitReadable(5000ms).value);
  ASSERT_TRUE(port_->Purge().ok());
  EXPECT_EQ(port_->InputQueueCount().value, 0);
  EXPECT_FALSE(port_->WaitReadable(1ms).value);
}

TEST_F(SerialPortTest, VanishedDeviceFailsWaitsAndWrites) {
  ASSERT_TRUE(port_->Apply({}).ok());
  peer_.Close();
  const auto readable = port_->WaitReadable(5000ms);
  EXPECT_FALSE(readable.ok() && !readable.value) << "a hang-up must not look like silence";
  if (readable.ok()) {
    EXPECT_FALSE(port_->ReadByte().ok());
  }
  const Status written = port_->WriteByte('x');
  EXPECT_FALSE(written.ok());
  EXPECT_FALSE(written.error.empty());
  EXPECT_TRUE(port_->Close().ok());
}

}  // namespace
}  // namespace torvane
