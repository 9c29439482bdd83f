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

TEST(DevicePathForPortTest, PrefixesNamesBelowDev) {
  struct Case {
    const char* name;
    const char* path;
  };
  const Case cases[] = {
      {"ttyUSB0", "/dev/ttyUSB0"},
      {"serial/by-id/usb-FTDI_FT232R-if00", "/dev/serial/by-id/usb-FTDI_FT232R-if00"},
      {"/dev/pts/7", "/dev/pts/7"},
      {"/tmp/reader", "/tmp/reader"},
  };
  for (const Case& c : cases) EXPECT_EQ(DevicePathForPort(c.name), c.path);
}

TEST(SerialPortOpenTest, RefusesWhatIsNoUsableSerialDevice) {
  struct Case {
    const char* name;
    const char* reason;
  };
  const Case cases[] = {
      {"", "No port name"},
      {"/dev/torvane-no-such-port", "No such file or directory"},
      {"null", "Inappropriate ioctl for device"},  // a device, but no terminal
  };
  for (const Case& c : cases) {
    const auto opened = SerialPort::Open(c.name);
    EXPECT_FALSE(opened.ok()) << c.name;
    EXPECT_TRUE(Contains(opened.error, c.reason)) << opened.error;
  }
}

TEST_F(SerialPortTest, SecondOpenOfTheSamePortIsRefused) {
  const auto second = SerialPort::Open(peer_.slavePath());
  EXPECT_FALSE(second.ok());
  EXPECT_TRUE(Contains(second.error, "in use")) << second.error;
  ASSERT_TRUE(port_->Close().ok());
  EXPECT_TRUE(SerialPort::Open(peer_.slavePath()).ok());
}

TEST_F(SerialPortTest, AppliesEveryBaudRateTheKernelAccepts) {
  const std::uint32_t rates[] = {110,   300,    1200,   2400,   4800,   9600,   19200, 38400,
                                 57600, 115200, 230400, 460800, 921600, 250000, 31250, 100000};
  for (const std::uint32_t rate : rates) {
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
    bool twoStopBits;
    bool hardwareFlow;
    bool softwareFlow;
  };
  const Case cases[] = {
      {0, 0, false, false, false}, {2, 0, true, false, false},  {0, 1, false, false, true},
      {2, 2, true, true, false},   {0, 7, false, false, false},  // unknown flow code: none
  };
  for (const Case& c : cases) {
    SerialParameters parameters;
    parameters.stopBitsCode = c.stopBitsCode;
    parameters.flowControlCode = c.flowControlCode;
    const Status applied = port_->Apply(parameters);
    ASSERT_TRUE(applied.ok()) << applied.error;
    const termios settings = Observed();
    const int row = &c - cases;
    EXPECT_EQ((settings.c_cflag & CSTOPB) != 0, c.twoStopBits) << row;
    EXPECT_EQ((settings.c_cflag & CRTSCTS) != 0, c.hardwareFlow) << row;
    EXPECT_EQ((settings.c_iflag & IXON) != 0, c.softwareFlow) << row;
    EXPECT_EQ((settings.c_iflag & IXOFF) != 0, c.softwareFlow) << row;
    if (c.softwareFlow) {
      EXPECT_EQ(settings.c_cc[VSTART], 0x11);
      EXPECT_EQ(settings.c_cc[VSTOP], 0x13);
    }
    EXPECT_EQ(settings.c_lflag & (ICANON | ECHO | ISIG), 0u) << row;
    EXPECT_EQ(settings.c_oflag & OPOST, 0u) << row;
    EXPECT_EQ(settings.c_iflag & (ICRNL | INLCR | IGNCR | INPCK), 0u) << row;
    EXPECT_EQ(settings.c_cflag & CSIZE, static_cast<tcflag_t>(CS8)) << row;
  }
}

TEST_F(SerialPortTest, RefusalsCarryAReason) {
  struct Case {
    SerialParameters parameters;
    const char* reason;
  };
  const Case cases[] = {
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
  for (const Case& c : cases) {
    const Status applied = port_->Apply(c.parameters);
    EXPECT_FALSE(applied.ok()) << c.reason;
    EXPECT_TRUE(Contains(applied.error, c.reason)) << applied.error;
  }
}

TEST(SerialFramingTest, EncodesDataBitsAndEveryParity) {
  struct Case {
    std::uint8_t dataBits;
    std::uint8_t parityCode;
    tcflag_t size;
    tcflag_t parity;
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
    termios settings{};
    settings.c_cflag = PARENB | PARODD | CMSPAR | CS8;  // left over from an earlier use
    const SerialParameters parameters{9600, c.dataBits, c.parityCode, 0, 0};
    ASSERT_TRUE(ValidateSerialParameters(parameters).ok());
    EncodeSerialFraming(parameters, settings);
    EXPECT_EQ(settings.c_cflag & CSIZE, c.size) << int{c.dataBits};
    EXPECT_EQ(settings.c_cflag & (PARENB | PARODD | CMSPAR), c.parity) << int{c.parityCode};
    EXPECT_EQ(settings.c_iflag & INPCK, 0u) << "parity is never checked on input";
    EXPECT_FALSE(FramingMismatch(settings, settings));
  }
}

TEST(SerialFramingTest, NamesTheSettingADeviceDidNotTake) {
  termios wanted{};
  EncodeSerialFraming({9600, 8, 0, 2, 2}, wanted);
  struct Case {
    tcflag_t cleared;
    const char* setting;
  };
  const Case cases[] = {
      {CSIZE, "data bits"},
      {CSTOPB, "stop bits"},
      {CRTSCTS, "flow control"},
  };
  for (const Case& c : cases) {
    termios applied = wanted;
    applied.c_cflag &= ~c.cleared;
    EXPECT_EQ(FramingMismatch(wanted, applied), c.setting);
  }
  termios software{};
  EncodeSerialFraming({9600, 8, 4, 0, 1}, software);
  termios applied = software;
  applied.c_iflag &= ~IXOFF;
  EXPECT_EQ(FramingMismatch(software, applied), "flow control");
  applied = software;
  applied.c_cflag &= ~CMSPAR;
  EXPECT_EQ(FramingMismatch(software, applied), "parity");
  // Without parity the leftover parity bits a pseudo-terminal keeps mean nothing.
  applied = wanted;
  applied.c_cflag |= PARODD | CMSPAR;
  EXPECT_EQ(FramingMismatch(wanted, applied), std::nullopt);
}

TEST_F(SerialPortTest, MovesBytesBothWays) {
  ASSERT_TRUE(port_->Apply({}).ok());
  for (const char byte : std::string("RD 1\r")) ASSERT_TRUE(port_->WriteByte(byte).ok());
  EXPECT_EQ(peer_.ReadLine(), "RD 1\r");

  ASSERT_TRUE(peer_.Write(std::string("A\0\n\r", 4)));
  ASSERT_TRUE(port_->WaitReadable(5000ms).value);
  std::string received;
  while (received.size() < 4) {
    ASSERT_TRUE(port_->WaitReadable(5000ms).value);
    const auto byte = port_->ReadByte();
    ASSERT_TRUE(byte.ok()) << byte.error;
    received += byte.value;
  }
  EXPECT_EQ(received, std::string("A\0\n\r", 4));
  EXPECT_EQ(port_->InputQueueCount().value, 0);
  EXPECT_FALSE(port_->WaitReadable(1ms).value);
  EXPECT_FALSE(port_->ReadByte().ok()) << "nothing to read must not block";
}

TEST_F(SerialPortTest, PurgeDropsUnreadInput) {
  ASSERT_TRUE(port_->Apply({}).ok());
  ASSERT_TRUE(peer_.Write("stale answer\r"));
  ASSERT_TRUE(port_->WaitReadable(5000ms).value);
  ASSERT_TRUE(port_->Purge().ok());
  EXPECT_EQ(port_->InputQueueCount().value, 0);
}

TEST_F(SerialPortTest, VanishedDeviceFailsWaitsAndWrites) {
  ASSERT_TRUE(port_->Apply({}).ok());
  peer_.CloseMaster();
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
