#include "link/serial_settings.h"

#include <algorithm>
#include <limits>
#include <span>

namespace torvane {

namespace {

struct Caption {
  std::string_view text;
  std::int32_t code;
};

// In the order a stored text is searched for them: "2" before "1.5", and "Even"
// first, so that a text holding two captions resolves as it always has.
constexpr Caption kStopBits[] = {{"2", 2}, {"1.5", 1}};
constexpr Caption kParity[] = {{"Even", 2}, {"Mark", 3}, {"Odd", 1}, {"Space", 4}};
constexpr Caption kFlowControl[] = {{"Xon / Xoff", 1}, {"Hardware", 2}};

// The code of the first caption found inside the text; 0 when there is none.
std::int32_t CodeIn(std::span<const Caption> captions, std::string_view text) {
  for (const Caption& caption : captions) {
    if (text.find(caption.text) != std::string_view::npos) return caption.code;
  }
  return 0;
}

std::int32_t ExactCode(std::span<const Caption> captions, std::string_view text) {
  for (const Caption& caption : captions) {
    if (text == caption.text) return caption.code;
  }
  return 0;
}

template <typename T>
T Saturated(std::int32_t value) {
  return static_cast<T>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<T>::max()));
}

std::string_view CaptionOf(std::span<const Caption> captions, std::int32_t code,
                           std::string_view codeZero) {
  for (const Caption& caption : captions) {
    if (caption.code == code) return caption.text;
  }
  return codeZero;
}

}  // namespace

std::int32_t StopBitsCodeIn(std::string_view text) {
  return CodeIn(kStopBits, text);
}

std::int32_t ParityCodeIn(std::string_view text) {
  return CodeIn(kParity, text);
}

std::int32_t FlowControlCodeIn(std::string_view text) {
  return CodeIn(kFlowControl, text);
}

std::int32_t StopBitsCodeOf(std::string_view caption) {
  return ExactCode(kStopBits, caption);
}

std::int32_t ParityCodeOf(std::string_view caption) {
  return ExactCode(kParity, caption);
}

std::int32_t FlowControlCodeOf(std::string_view caption) {
  return ExactCode(kFlowControl, caption);
}

void ResolveSerialCodes(SerialSettings& settings) {
  settings.stopBitsCode = StopBitsCodeIn(settings.stopBitsText);
  settings.parityCode = ParityCodeIn(settings.parityText);
  settings.flowControlCode = FlowControlCodeIn(settings.flowControlText);
}

std::string_view StopBitsCaption(std::int32_t code) {
  return CaptionOf(kStopBits, code, "1");
}

std::string_view ParityCaption(std::int32_t code) {
  return CaptionOf(kParity, code, "None");
}

std::string_view FlowControlCaption(std::int32_t code) {
  return CaptionOf(kFlowControl, code, "No");
}

SerialParameters PortParametersOf(const SerialSettings& settings) {
  return {Saturated<std::uint32_t>(settings.baudRate), Saturated<std::uint8_t>(settings.dataBits),
          Saturated<std::uint8_t>(settings.parityCode),
          Saturated<std::uint8_t>(settings.stopBitsCode),
          Saturated<std::uint8_t>(settings.flowControlCode)};
}

}  // namespace torvane
