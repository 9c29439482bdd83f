#include "link/interface_texts.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "link/port_open_failure.h"

namespace torvane {
namespace {

SerialSettings Settings(std::int32_t parity, std::int32_t stopBits, std::int32_t flow) {
  SerialSettings settings;
  settings.portName = "/dev/ttyUSB0";
  settings.baudRate = 115200;
  settings.dataBits = 8;
  settings.parityCode = parity;
  settings.stopBitsCode = stopBits;
  settings.flowControlCode = flow;
  return settings;
}

TEST(InterfaceTextsTest, CodesShowAsTheirCaptions) {
  struct Case {
    std::int32_t parity, stopBits, flow;
    const char *parityText, *stopBitsText, *flowText;
  };
  const Case cases[] = {
      {0, 0, 0, "None", "1", "No"},       {1, 1, 1, "Odd", "1.5", "Xon / Xoff"},
      {2, 2, 2, "Even", "2", "Hardware"}, {3, 1, 2, "Mark", "1.5", "Hardware"},
      {4, 0, 0, "Space", "1", "No"},      {5, 3, 3, "None", "1", "No"},
      {-1, -1, -1, "None", "1", "No"},
  };
  for (const Case& c : cases) {
    const InterfaceTexts texts = InterfaceTextsOf(Settings(c.parity, c.stopBits, c.flow));
    EXPECT_EQ(texts, (InterfaceTexts{"/dev/ttyUSB0", "115200", "8", c.parityText, c.stopBitsText,
                                     c.flowText}))
        << c.parity << " " << c.stopBits << " " << c.flow;
  }
}

TEST(InterfaceTextsTest, OnlyExactCaptionsGiveTheirCodes) {
  struct Case {
    const char *parity, *stopBits, *flow;
    std::int32_t parityCode, stopBitsCode, flowCode;
  };
  const Case cases[] = {
      {"Even", "2", "Hardware", 2, 2, 2},
      {"Mark", "1.5", "Xon / Xoff", 3, 1, 1},
      {"Odd", "1", "No", 1, 0, 0},
      {"Space", "1", "No", 4, 0, 0},
      {"even", "1,5", "hardware", 0, 0, 0},
      {"Even ", " 2", "Xon/Xoff", 0, 0, 0},
      {"Evenly", "22", "Hardware!", 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.parity) + "|" + c.stopBits + "|" + c.flow);
    SerialSettings settings = Settings(1, 1, 1);
    TakeInterfaceTexts({"ttyS0", "9600", "7", c.parity, c.stopBits, c.flow}, settings);
    EXPECT_EQ(settings.parityCode, c.parityCode);
    EXPECT_EQ(settings.stopBitsCode, c.stopBitsCode);
    EXPECT_EQ(settings.flowControlCode, c.flowCode);
    // Read back as the settings file reads them, the texts give the same codes.
    SerialSettings reread = settings;
    ResolveSerialCodes(reread);
    EXPECT_EQ(reread.parityCode, c.parityCode);
    EXPECT_EQ(reread.stopBitsCode, c.stopBitsCode);
    EXPECT_EQ(reread.flowControlCode, c.flowCode);
  }
}

TEST(InterfaceTextsTest, NumbersAreTheirLeadingDigits) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"250000", 250000},
      {" 1200", 1200},
      {"9600 baud", 9600},
      {"fast", 0},
      {"", 0},
      {"-300", -300},
      {"99999999999", std::numeric_limits<std::int32_t>::max()},
  };
  for (const auto& [text, value] : cases) {
    SerialSettings settings;
    TakeInterfaceTexts({"", text, text, "None", "1", "No"}, settings);
    EXPECT_EQ(settings.baudRate, value) << text;
    EXPECT_EQ(settings.dataBits, value) << text;
  }
}

TEST(InterfaceTextsTest, ValuesBeyondAParameterAreNotWrappedIntoValidOnes) {
  SerialSettings settings = Settings(2, 2, 2);
  settings.dataBits = 264;  // would wrap to 8
  settings.baudRate = -300;
  const SerialParameters parameters = PortParametersOf(settings);
  EXPECT_EQ(parameters.dataBits, 255);
  EXPECT_EQ(parameters.baudRate, 0u);
  EXPECT_EQ(parameters.parityCode, 2);
  settings.parityCode = 258;
  EXPECT_EQ(PortParametersOf(settings).parityCode, 255);
}

TEST(PortOpenFailureTest, ReasonAndTheWayOut) {
  PortAccess allowed;
  allowed.nodeFound = true;
  allowed.mayOpen = true;
  PortAccess group = allowed;
  group.mayOpen = false;
  group.groupName = "dialout";
  group.joinGroupHelps = true;
  PortAccess other = group;
  other.joinGroupHelps = false;

  struct Case {
    std::string reason;
    PortAccess access;
    std::string text;
  };
  const Case cases[] = {
      {"", {}, "/dev/ttyUSB0 could not be opened!"},
      {"Cannot open /dev/ttyUSB0: No such file or directory",
       {},
       "/dev/ttyUSB0 could not be opened!\n\nCannot open /dev/ttyUSB0: No such file or "
       "directory."},
      {"/dev/ttyUSB0 is in use by another program", allowed,
       "/dev/ttyUSB0 could not be opened!\n\n/dev/ttyUSB0 is in use by another program."},
      {"Cannot open /dev/ttyUSB0: Permission denied", group,
       "/dev/ttyUSB0 could not be opened!\n\nCannot open /dev/ttyUSB0: Permission denied.\n\n"
       "To open it, join the group dialout (on Debian: sudo adduser $USER "
       "dialout), then log in again."},
      {"Cannot open /dev/ttyUSB0: Permission denied", other,
       "/dev/ttyUSB0 could not be opened!\n\nCannot open /dev/ttyUSB0: Permission denied."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PortOpenFailureText("/dev/ttyUSB0", c.reason, c.access), c.text);
  }
}

}  // namespace
}  // namespace torvane
