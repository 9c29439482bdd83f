#pragma once

#include <cstdint>
#include <string>

namespace torvane {

// The operator's choice of serial parameters (persisted in the station settings).
struct SerialSettings {
  std::string portName;
  std::int32_t baudRate = 0;
  std::int32_t dataBits = 0;
  std::int32_t parityCode = 0;       // 0 None, 1 Odd, 2 Even, 3 Mark, 4 Space
  std::int32_t stopBitsCode = 0;     // 0 one, 1 one and a half, 2 two
  std::int32_t flowControlCode = 0;  // 0 No, 1 Xon / Xoff, 2 Hardware
};

}  // namespace torvane
