#include "platform/stable_device_name.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "platform/port_discovery.h"

namespace torvane {

namespace {

namespace fs = std::filesystem;

fs::path Resolved(const fs::path& path) {
  std::error_code error;
  fs::path resolved = fs::canonical(path, error);
  return error ? fs::path() : resolved;
}

}  // namespace

std::optional<DeviceIdentity> IdentityOf(const std::string& devicePath, const std::string& root) {
  const fs::path base(root);
  const fs::path node = base / fs::path(devicePath).relative_path();
  struct stat status {};
  if (::stat(node.c_str(), &status) != 0) return std::nullopt;
  DeviceIdentity identity;
  identity.deviceNumber = status.st_rdev;
  const fs::path resolved = Resolved(node);
  for (const PortInfo& port : DiscoverPorts(root, UserIdentity::OfThisProcess())) {
    if (Resolved(base / fs::path(port.devicePath).relative_path()) != resolved) continue;
    if (port.onUsb) {
      identity.usb = port.usb.vendorId + ":" + port.usb.productId + ":" + port.usb.serialNumber;
    }
    if (!port.byIdPaths.empty()) identity.byIdName = port.byIdPaths.front();
  }
  return identity;
}

bool SameDevice(const DeviceIdentity& before, const DeviceIdentity& now) {
  if (!before.usb.empty() || !now.usb.empty()) return before.usb == now.usb;
  return before.deviceNumber == now.deviceNumber;
}

}  // namespace torvane
