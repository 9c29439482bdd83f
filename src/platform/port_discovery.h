#pragma once

#include <string>
#include <vector>

#include "platform/port_access.h"
#include "platform/port_info.h"

namespace torvane {

// The serial ports present on a system, from its sysfs and /dev below `root`
// ("/" for this system; tests hand in a folder holding a fake device tree).
// Listed are real UARTs, USB serial adapters and modems; ttys without a device
// (consoles, pseudo-terminals) and serial-core ports without a UART behind them
// are not. Sorted by device path.
std::vector<PortInfo> DiscoverPorts(const std::string& root, const UserIdentity& user);

// The names an operator can choose: every device path and by-id name, sorted
// as text without regard to case.
std::vector<std::string> PortNames(const std::vector<PortInfo>& ports);

}  // namespace torvane
