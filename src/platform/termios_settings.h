#pragma once

#include <termios.h>

#include <optional>
#include <string>

#include "platform/result.h"
#include "platform/serial_port.h"

namespace torvane {

// Refuses what a Linux serial port cannot do (4 data bits, 1.5 stop bits) and
// codes outside the station's lists, each with a reason an operator can act on.
Status ValidateSerialParameters(const SerialParameters& parameters);

// Puts `settings` into raw mode with the framing and flow control of
// `parameters`; the speed is left alone. Expects validated parameters.
void EncodeSerialFraming(const SerialParameters& parameters, termios& settings);

// The name of the first framing setting in which `applied` differs from
// `wanted` ("data bits", "parity", "stop bits", "flow control"), or nothing.
std::optional<std::string> FramingMismatch(const termios& wanted, const termios& applied);

// The termios speed constant of a standard rate, or nothing for any other rate.
std::optional<speed_t> StandardSpeed(std::uint32_t baudRate);

}  // namespace torvane
