#include "link/serial_settings.h"

namespace torvane {

namespace {

bool Contains(std::string_view text, std::string_view caption) {
  return text.find(caption) != std::string_view::npos;
}

}  // namespace

std::int32_t StopBitsCodeIn(std::string_view text) {
  if (Contains(text, "2")) return 2;
  if (Contains(text, "1.5")) return 1;
  return 0;
}

std::int32_t ParityCodeIn(std::string_view text) {
  if (Contains(text, "Even")) return 2;
  if (Contains(text, "Mark")) return 3;
  if (Contains(text, "Odd")) return 1;
  if (Contains(text, "Space")) return 4;
  return 0;
}

std::int32_t FlowControlCodeIn(std::string_view text) {
  if (Contains(text, "Xon / Xoff")) return 1;
  if (Contains(text, "Hardware")) return 2;
  return 0;
}

void ResolveSerialCodes(SerialSettings& settings) {
  settings.stopBitsCode = StopBitsCodeIn(settings.stopBitsText);
  settings.parityCode = ParityCodeIn(settings.parityText);
  settings.flowControlCode = FlowControlCodeIn(settings.flowControlText);
}

std::string_view StopBitsCaption(std::int32_t code) {
  switch (code) {
    case 2:
      return "2";
    case 1:
      return "1.5";
    default:
      return "1";
  }
}

std::string_view ParityCaption(std::int32_t code) {
  switch (code) {
    case 1:
      return "Odd";
    case 2:
      return "Even";
    case 3:
      return "Mark";
    case 4:
      return "Space";
    default:
      return "None";
  }
}

std::string_view FlowControlCaption(std::int32_t code) {
  switch (code) {
    case 1:
      return "Xon / Xoff";
    case 2:
      return "Hardware";
    default:
      return "No";
  }
}

}  // namespace torvane
