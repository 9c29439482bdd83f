#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace torvane::test {

// A scratch folder laid out as a system's sysfs and /dev, as far as port
// discovery looks: class entries link into sys/devices as the kernel's do, the
// nodes are plain files with the permission bits a test gives them, and the
// by-id names are relative links as udev makes them.
class FakeDeviceTree {
 public:
  struct Usb {
    std::string vendorId;
    std::string productId;
    std::string manufacturer;
    std::string product;
    std::string serialNumber;
  };

  FakeDeviceTree() {
    char pattern[] = "/tmp/torvane-devices-XXXXXX";
    if (mkdtemp(pattern) != nullptr) root_ = pattern;
    std::filesystem::create_directories(root_ / "sys/class/tty");
    std::filesystem::create_directories(root_ / "dev");
  }
  ~FakeDeviceTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  FakeDeviceTree(const FakeDeviceTree&) = delete;
  FakeDeviceTree& operator=(const FakeDeviceTree&) = delete;

  std::string root() const { return root_.string(); }

  // A serial-core port; UART type 0 means the kernel found no UART for it.
  // Since Linux 6.5 the serial core puts a controller and a port device of its
  // own between the UART's device and the tty; older kernels do not.
  void AddSerialCorePort(const std::string& name, int uartType, bool serialBase = true) {
    const std::string line = name.substr(name.find_first_of("0123456789"));
    AddDevice("platform/serial8250", "platform", "serial8250");
    std::string device = "platform/serial8250";
    if (serialBase) {
      device += "/serial8250:0";
      AddDevice(device, "serial-base", "ctrl");
      device += "/serial8250:0." + line;
      AddDevice(device, "serial-base", "port");
    }
    AddPort(name, device);
    Write(root_ / "sys/class/tty" / name / "type", std::to_string(uartType));
  }

  // A USB serial adapter (ttyUSB, driver e.g. ftdi_sio) or modem (ttyACM,
  // driver cdc_acm), on USB device 1-`slot`.
  void AddUsbPort(const std::string& name, const std::string& driver, int slot, const Usb& usb) {
    const std::string hub = "pci0000:00/0000:00:14.0/usb1";
    const std::string usbDevice = hub + "/1-" + std::to_string(slot);
    const std::string interface = usbDevice + "/1-" + std::to_string(slot) + ":1.0";
    if (driver == "cdc_acm") {
      AddDevice(interface, "usb", driver);
      AddPort(name, interface);
    } else {
      AddDevice(interface, "usb", "usbserial_generic");
      AddDevice(interface + "/" + name, "usb-serial", driver);
      AddPort(name, interface + "/" + name);
    }
    const std::filesystem::path folder = root_ / "sys/devices" / usbDevice;
    Write(folder / "idVendor", usb.vendorId);
    Write(folder / "idProduct", usb.productId);
    if (!usb.manufacturer.empty()) Write(folder / "manufacturer", usb.manufacturer);
    if (!usb.product.empty()) Write(folder / "product", usb.product);
    if (!usb.serialNumber.empty()) Write(folder / "serial", usb.serialNumber);
    // The root hub above carries ids too; the adapter's must win.
    Write(root_ / "sys/devices" / hub / "idVendor", "1d6b");
    Write(root_ / "sys/devices" / hub / "idProduct", "0002");
  }

  // A tty without a device behind it (a virtual console, a pseudo-terminal).
  void AddVirtualTty(const std::string& name) {
    const std::filesystem::path folder = root_ / "sys/devices/virtual/tty" / name;
    std::filesystem::create_directories(folder);
    Link("../../devices/virtual/tty/" + name, root_ / "sys/class/tty" / name);
    Node(name, 0620);
  }

  void AddByIdName(const std::string& byIdName, const std::string& node) {
    std::filesystem::create_directories(root_ / "dev/serial/by-id");
    Link("../../" + node, root_ / "dev/serial/by-id" / byIdName);
  }

  void SetNodeMode(const std::string& name, mode_t mode) {
    chmod((root_ / "dev" / name).c_str(), mode);
  }
  void RemoveNode(const std::string& name) { std::filesystem::remove(root_ / "dev" / name); }

 private:
  // A device folder with its bus and driver, as sysfs links them.
  void AddDevice(const std::string& belowDevices, const std::string& bus,
                 const std::string& driver) {
    const std::filesystem::path device = root_ / "sys/devices" / belowDevices;
    std::filesystem::create_directories(device);
    std::filesystem::create_directories(root_ / "sys/bus" / bus / "drivers" / driver);
    Link(UpToSys(belowDevices) + "bus/" + bus, device / "subsystem");
    Link(UpToSys(belowDevices) + "bus/" + bus + "/drivers/" + driver, device / "driver");
  }

  // The port's class folder lies inside its device, as the kernel lays it out.
  void AddPort(const std::string& name, const std::string& deviceBelowDevices) {
    const std::filesystem::path classFolder =
        root_ / "sys/devices" / deviceBelowDevices / "tty" / name;
    std::filesystem::create_directories(classFolder);
    Link("../..", classFolder / "device");
    Link("../../devices/" + deviceBelowDevices + "/tty/" + name, root_ / "sys/class/tty" / name);
    Node(name, 0660);
  }

  // From a device folder up to sys: once for every folder below sys/devices,
  // and once for devices.
  static std::string UpToSys(const std::string& belowDevices) {
    std::string up = "../../";
    for (char c : belowDevices) {
      if (c == '/') up += "../";
    }
    return up;
  }

  void Node(const std::string& name, mode_t mode) {
    Write(root_ / "dev" / name, "");
    SetNodeMode(name, mode);
  }

  // Ports on one device share its links.
  static void Link(const std::string& target, const std::filesystem::path& link) {
    std::error_code exists;
    std::filesystem::create_symlink(target, link, exists);
  }

  static void Write(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
  }

  std::filesystem::path root_;
};

}  // namespace torvane::test
