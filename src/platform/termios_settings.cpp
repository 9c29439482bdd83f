#include "platform/termios_settings.h"

#include <array>
#include <utility>

namespace torvane {

namespace {

constexpr std::uint8_t kParityOdd = 1;
constexpr std::uint8_t kParityEven = 2;
constexpr std::uint8_t kParityMark = 3;
constexpr std::uint8_t kParitySpace = 4;
constexpr std::uint8_t kTwoStopBits = 2;
constexpr std::uint8_t kFlowXonXoff = 1;
constexpr std::uint8_t kFlowHardware = 2;
// The station configures no flow-control characters, so software flow control
// uses the customary ones.
constexpr cc_t kXon = 0x11;
constexpr cc_t kXoff = 0x13;

constexpr tcflag_t kParityFlags = PARENB | PARODD | CMSPAR;

tcflag_t DataBitsFlag(std::uint8_t dataBits) {
  switch (dataBits) {
    case 5:
      return CS5;
    case 6:
      return CS6;
    case 7:
      return CS7;
    default:
      return CS8;
  }
}

tcflag_t ParityFlags(std::uint8_t parityCode) {
  switch (parityCode) {
    case kParityOdd:
      return PARENB | PARODD;
    case kParityEven:
      return PARENB;
    case kParityMark:
      return PARENB | CMSPAR | PARODD;
    case kParitySpace:
      return PARENB | CMSPAR;
    default:
      return 0;
  }
}

// Without PARENB the other parity bits mean nothing (a pseudo-terminal keeps them).
tcflag_t EffectiveParity(tcflag_t cflag) {
  return (cflag & PARENB) ? (cflag & kParityFlags) : 0;
}

}  // namespace

Status ValidateSerialParameters(const SerialParameters& parameters) {
  if (parameters.baudRate == 0) return Status::Failure("A baud rate of 0 is not valid");
  if (parameters.dataBits < 5 || parameters.dataBits > 8) {
    return Status::Failure(std::to_string(parameters.dataBits) +
                           " data bits are not supported by Linux serial ports; choose 5 to 8");
  }
  if (parameters.parityCode > kParitySpace) {
    return Status::Failure("Unknown parity code " + std::to_string(parameters.parityCode));
  }
  if (parameters.stopBitsCode == 1) {
    return Status::Failure("1.5 stop bits are not supported by Linux serial ports; choose 1 or 2");
  }
  if (parameters.stopBitsCode > kTwoStopBits) {
    return Status::Failure("Unknown stop bits code " + std::to_string(parameters.stopBitsCode));
  }
  return Status::Success();
}

void EncodeSerialFraming(const SerialParameters& parameters, termios& settings) {
  cfmakeraw(&settings);
  settings.c_cflag &= ~(CSIZE | kParityFlags | CSTOPB | CRTSCTS);
  settings.c_cflag |=
      CLOCAL | CREAD | DataBitsFlag(parameters.dataBits) | ParityFlags(parameters.parityCode);
  if (parameters.stopBitsCode == kTwoStopBits) settings.c_cflag |= CSTOPB;
  // Parity is sent but never checked on input.
  settings.c_iflag &= ~(INPCK | IXON | IXOFF | IXANY);
  if (parameters.flowControlCode == kFlowXonXoff) {
    settings.c_iflag |= IXON | IXOFF;
    settings.c_cc[VSTART] = kXon;
    settings.c_cc[VSTOP] = kXoff;
  } else if (parameters.flowControlCode == kFlowHardware) {
    settings.c_cflag |= CRTSCTS;
  }
  settings.c_cc[VMIN] = 0;
  settings.c_cc[VTIME] = 0;
}

std::optional<std::string> FramingMismatch(const termios& wanted, const termios& applied) {
  if ((wanted.c_cflag & CSIZE) != (applied.c_cflag & CSIZE)) return "data bits";
  if (EffectiveParity(wanted.c_cflag) != EffectiveParity(applied.c_cflag)) return "parity";
  if ((wanted.c_cflag & CSTOPB) != (applied.c_cflag & CSTOPB)) return "stop bits";
  if ((wanted.c_cflag & CRTSCTS) != (applied.c_cflag & CRTSCTS) ||
      (wanted.c_iflag & (IXON | IXOFF)) != (applied.c_iflag & (IXON | IXOFF))) {
    return "flow control";
  }
  return std::nullopt;
}

std::optional<speed_t> StandardSpeed(std::uint32_t baudRate) {
  static constexpr std::array<std::pair<std::uint32_t, speed_t>, 30> kSpeeds{{
      {50, B50},           {75, B75},           {110, B110},         {134, B134},
      {150, B150},         {200, B200},         {300, B300},         {600, B600},
      {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
      {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
      {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
      {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
      {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
      {3500000, B3500000}, {4000000, B4000000},
  }};
  for (const auto& [rate, speed] : kSpeeds) {
    if (rate == baudRate) return speed;
  }
  return std::nullopt;
}

}  // namespace torvane
