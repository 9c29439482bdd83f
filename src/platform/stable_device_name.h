#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace torvane {

// What tells one serial device from another that later appears at the same path.
struct DeviceIdentity {
  std::string byIdName;            // its /dev/serial/by-id name; empty when it has none
  std::string usb;                 // USB "vendor:product:serial"; empty for other devices
  std::uint64_t deviceNumber = 0;  // of the node (major and minor)
};

// The identity of the device at `devicePath`, read below `root` ("/" for this
// system; tests hand in a fake device tree); nothing when no device is there.
std::optional<DeviceIdentity> IdentityOf(const std::string& devicePath,
                                         const std::string& root = "/");

// A USB adapter is the same when its vendor, product and serial number are,
// under whatever node it comes back; any other device (a pseudo-terminal, a
// built-in port) when its node is.
bool SameDevice(const DeviceIdentity& before, const DeviceIdentity& now);

}  // namespace torvane
