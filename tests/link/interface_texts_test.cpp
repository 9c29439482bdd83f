#include "link/interface_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "link/port_open_failure.h"

namespace torvane {
namespace {

SerialSettings Settings(std::string port, std::int32_t baudRate, std::int32_t dataBits,
                        std::int32_t parity, std::int32_t stopBits, std::int32_t flow) {
  SerialSettings settings;
  settings.portName = std::move(port);
  settings.baudRate = baudRate;
  settings.dataBits = dataBits;
  settings.parityCode = parity;
  settings.stopBitsCode = stopBits;
  settings.flowControlCode = flow;
  return settings;
}

TEST(InterfaceTextsTest, CodesShowAsTheirCaptionsUnknownOnesAsTheFirst) {
  EXPECT_EQ(InterfaceTextsOf(Settings("/dev/ttyUSB0", 115200, 8, 3, 1, 2)),
            (InterfaceTexts{"/dev/ttyUSB0", "115200", "8", "Mark", "1.5", "Hardware"}));
  EXPECT_EQ(InterfaceTextsOf(Settings("", 0, 0, 5, -1, 3)),
            (InterfaceTexts{"", "0", "0", "None", "1", "No"}));
}

TEST(InterfaceTextsTest, OnlyExactCaptionsGiveTheirCodes) {
  struct Case {
    const char *parity, *stopBits, *flow;
    std::int32_t parityCode, stopBitsCode, flowCode;
  };
  const Case cases[] = {
      {"Even", "2", "Hardware", 2, 2, 2},
      {"Space", "1.5", "Xon / Xoff", 4, 1, 1},
      {"even", "1,5", "hardware", 0, 0, 0},
      {"Even ", " 2", "Xon/Xoff", 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.parity);
    SerialSettings settings = Settings("", 0, 0, 1, 1, 1);
    TakeInterfaceTexts({"ttyS0", "9600 baud", "7", c.parity, c.stopBits, c.flow}, settings);
    EXPECT_EQ(settings.baudRate, 9600);
    EXPECT_EQ(settings.dataBits, 7);
    // Read again as the settings file reads them, the stored texts give the same codes.
    SerialSettings reread = settings;
    ResolveSerialCodes(reread);
    for (const SerialSettings& s : {settings, reread}) {
      EXPECT_EQ(s.parityCode, c.parityCode);
      EXPECT_EQ(s.stopBitsCode, c.stopBitsCode);
      EXPECT_EQ(s.flowControlCode, c.flowCode);
    }
  }
}

TEST(InterfaceTextsTest, ValuesBeyondAParameterAreNotWrappedIntoValidOnes) {
  SerialSettings settings;
  TakeInterfaceTexts({"", "-300", "264", "Even", "2", "No"}, settings);  // 264 would wrap to 8
  const SerialParameters parameters = PortParametersOf(settings);
  EXPECT_EQ(parameters.baudRate, 0u);
  EXPECT_EQ(parameters.dataBits, 255);
  EXPECT_EQ(parameters.parityCode, 2);
  EXPECT_EQ(parameters.stopBitsCode, 2);
}

TEST(PortOpenFailureTest, ReasonAndTheWayOut) {
  PortAccess access;
  access.nodeFound = true;
  access.groupName = "dialout";
  EXPECT_EQ(PortOpenFailureText("", "No port name given", access),
            " could not be opened!\n\nNo port name given.");
  access.joinGroupHelps = true;
  EXPECT_EQ(
      PortOpenFailureText("/dev/ttyUSB0", "Cannot open /dev/ttyUSB0: Permission denied", access),
      "/dev/ttyUSB0 could not be opened!\n\nCannot open /dev/ttyUSB0: Permission denied.\n\n"
      "To open it, join the group dialout (on Debian: sudo adduser $USER dialout), then log "
      "in again.");
}

}  // namespace
}  // namespace torvane
