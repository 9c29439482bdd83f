#pragma once

#include <string>

#include "link/serial_settings.h"

namespace torvane {

// The six texts of the interface settings dialog.
struct InterfaceTexts {
  std::string port;
  std::string baudRate;
  std::string dataBits;
  std::string parity;
  std::string stopBits;
  std::string flowControl;

  bool operator==(const InterfaceTexts&) const = default;
};

InterfaceTexts InterfaceTextsOf(const SerialSettings& settings);

// Takes what the operator chose: numbers as far as they are digits, the three
// codes only from their exact captions (anything else gives the first choice).
void TakeInterfaceTexts(const InterfaceTexts& texts, SerialSettings& settings);

}  // namespace torvane
