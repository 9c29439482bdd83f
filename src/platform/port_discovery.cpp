#include "platform/port_discovery.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>
#include <utility>

namespace torvane {

namespace {

namespace fs = std::filesystem;

// The serial core's port type of a port it knows no UART for.
constexpr char kUnknownUartType[] = "0";
constexpr char kSerialBaseBus[] = "serial-base";

// The first line of a sysfs attribute; empty when there is none.
std::string Attribute(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

// Where a symbolic link points, read inside the tree: udev's links are relative,
// an absolute one is taken as below the root.
fs::path LinkTarget(const fs::path& root, const fs::path& link) {
  std::error_code error;
  const fs::path target = fs::read_symlink(link, error);
  if (error) return {};
  if (target.is_absolute()) return (root / target.relative_path()).lexically_normal();
  return (link.parent_path() / target).lexically_normal();
}

fs::path Resolved(const fs::path& path) {
  std::error_code error;
  fs::path resolved = fs::canonical(path, error);
  return error ? fs::path() : resolved;
}

// The USB device a port hangs on: the nearest folder above the port's device
// that carries the vendor and product ids.
bool FindUsbDevice(const fs::path& devices, fs::path device, UsbDeviceInfo& usb) {
  std::error_code error;
  for (; !device.empty() && device != devices && device.has_relative_path();
       device = device.parent_path()) {
    if (!fs::exists(device / "idVendor", error) || !fs::exists(device / "idProduct", error)) {
      continue;
    }
    usb.vendorId = Attribute(device / "idVendor");
    usb.productId = Attribute(device / "idProduct");
    usb.manufacturer = Attribute(device / "manufacturer");
    usb.product = Attribute(device / "product");
    usb.serialNumber = Attribute(device / "serial");
    return true;
  }
  return false;
}

// The driver of the hardware behind a port. The serial core's own controller
// and port devices (bus "serial-base", Linux 6.5 on) sit in between and are
// passed over.
std::string DriverOf(const fs::path& root, fs::path device) {
  while (!device.empty() && LinkTarget(root, device / "subsystem").filename() == kSerialBaseBus) {
    device = device.parent_path();
  }
  return LinkTarget(root, device / "driver").filename().string();
}

bool IsSerialPort(const fs::path& classEntry) {
  std::error_code error;
  if (!fs::exists(classEntry / "device", error)) return false;
  // Serial-core ports (ttyS, ttyAMA, ...) tell their UART type; the kernel
  // creates many ttyS ports that have none.
  const fs::path type = classEntry / "type";
  return !fs::exists(type, error) || Attribute(type) != kUnknownUartType;
}

std::vector<std::pair<std::string, fs::path>> ByIdLinks(const fs::path& root) {
  std::vector<std::pair<std::string, fs::path>> links;
  const fs::path folder = root / "dev/serial/by-id";
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (!it->is_symlink(error)) continue;
    links.emplace_back("/dev/serial/by-id/" + it->path().filename().string(),
                       LinkTarget(root, it->path()));
  }
  return links;
}

std::optional<PortInfo> PortOf(const fs::path& root, const fs::path& classEntry,
                               const UserIdentity& user) {
  if (!IsSerialPort(classEntry)) return std::nullopt;
  const std::string name = classEntry.filename().string();
  const fs::path node = root / "dev" / name;
  std::error_code error;
  if (!fs::exists(node, error)) return std::nullopt;
  PortInfo port;
  port.devicePath = "/dev/" + name;
  const fs::path device = Resolved(classEntry / "device");
  port.driver = DriverOf(root, device);
  port.onUsb = FindUsbDevice(Resolved(root / "sys/devices"), device, port.usb);
  port.access = CheckPortAccess(node.string(), user);
  return port;
}

std::string Folded(const std::string& text) {
  std::string folded = text;
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return folded;
}

}  // namespace

std::vector<PortInfo> DiscoverPorts(const std::string& root, const UserIdentity& user) {
  const fs::path base(root);
  std::vector<PortInfo> ports;
  std::error_code error;
  for (fs::directory_iterator it(base / "sys/class/tty", error), end; !error && it != end;
       it.increment(error)) {
    if (auto port = PortOf(base, it->path(), user)) ports.push_back(std::move(*port));
  }
  const auto links = ByIdLinks(base);
  for (PortInfo& port : ports) {
    const fs::path node = (base / port.devicePath.substr(1)).lexically_normal();
    for (const auto& [name, target] : links) {
      if (target == node) port.byIdPaths.push_back(name);
    }
    std::sort(port.byIdPaths.begin(), port.byIdPaths.end());
  }
  std::sort(ports.begin(), ports.end(),
            [](const PortInfo& a, const PortInfo& b) { return a.devicePath < b.devicePath; });
  return ports;
}

std::vector<std::string> PortNames(const std::vector<PortInfo>& ports) {
  std::vector<std::string> names;
  for (const PortInfo& port : ports) {
    names.push_back(port.devicePath);
    names.insert(names.end(), port.byIdPaths.begin(), port.byIdPaths.end());
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string foldedA = Folded(a);
    const std::string foldedB = Folded(b);
    return foldedA != foldedB ? foldedA < foldedB : a < b;
  });
  return names;
}

}  // namespace torvane
