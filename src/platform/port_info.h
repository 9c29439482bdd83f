#pragma once

#include <string>
#include <vector>

#include "platform/port_access.h"

namespace torvane {

// What the system tells about a USB device; texts it does not give stay empty.
struct UsbDeviceInfo {
  std::string vendorId;  // four hexadecimal digits, e.g. "0403"
  std::string productId;
  std::string manufacturer;
  std::string product;
  std::string serialNumber;
};

// One serial port present on the system.
struct PortInfo {
  std::string devicePath;              // "/dev/ttyUSB0"
  std::vector<std::string> byIdPaths;  // "/dev/serial/by-id/usb-...": survive replugging
  std::string driver;                  // "ftdi_sio", "cdc_acm", "serial", ...
  bool onUsb = false;
  UsbDeviceInfo usb;
  PortAccess access;
};

}  // namespace torvane
