#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/serial_port.h"

namespace torvane {

// The operator's choice of serial parameters (persisted in the station settings).
struct SerialSettings {
  std::string portName;
  std::int32_t baudRate = 0;
  std::int32_t dataBits = 0;
  std::int32_t parityCode = 0;       // 0 None, 1 Odd, 2 Even, 3 Mark, 4 Space
  std::int32_t stopBitsCode = 0;     // 0 one, 1 one and a half, 2 two
  std::int32_t flowControlCode = 0;  // 0 No, 1 Xon / Xoff, 2 Hardware
  // The texts as the settings file gave them; the codes are derived from them.
  std::string stopBitsText;
  std::string parityText;
  std::string flowControlText;
};

// Codes from texts read from the settings file: the first caption found inside
// the text decides, so "Evenly" gives Even.
std::int32_t StopBitsCodeIn(std::string_view text);
std::int32_t ParityCodeIn(std::string_view text);
std::int32_t FlowControlCodeIn(std::string_view text);
// Codes from the captions exactly as the interface dialog lists them
// (case-sensitive); any other text gives 0.
std::int32_t StopBitsCodeOf(std::string_view caption);
std::int32_t ParityCodeOf(std::string_view caption);
std::int32_t FlowControlCodeOf(std::string_view caption);
// Sets the three codes from the three texts.
void ResolveSerialCodes(SerialSettings& settings);

// The captions under which the codes are saved; unknown codes give the first one.
std::string_view StopBitsCaption(std::int32_t code);
std::string_view ParityCaption(std::int32_t code);
std::string_view FlowControlCaption(std::int32_t code);

// The parameters handed to the port. A value beyond what a parameter holds
// becomes the nearest one it holds, which the port then refuses, instead of a
// wrapped-around value that it might take.
SerialParameters PortParametersOf(const SerialSettings& settings);

}  // namespace torvane
