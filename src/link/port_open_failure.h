#pragma once

#include <string>

#include "platform/port_access.h"

namespace torvane {

// What the operator reads when a port could not be opened or took no
// parameters: the port's name with " could not be opened!", the system's
// reason, and the way out when the node's permissions keep this user off.
std::string PortOpenFailureText(const std::string& portName, const std::string& reason,
                                const PortAccess& access);

}  // namespace torvane
