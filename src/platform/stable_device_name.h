#pragma once

#include <optional>
#include <string>

namespace torvane {

// The /dev/serial/by-id name of a device (below `root`, "/" for this system):
// it stays the same when a USB adapter comes back under another node. Nothing
// when the device has none.
std::optional<std::string> StableDeviceName(const std::string& devicePath,
                                            const std::string& root = "/");

}  // namespace torvane
