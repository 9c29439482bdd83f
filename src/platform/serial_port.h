#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace torvane {

struct SerialParameters {
  std::uint32_t baudRate = 115200;
  std::uint8_t dataBits = 8;
  std::uint8_t parityCode = 0;       // 0 none, 1 odd, 2 even, 3 mark, 4 space
  std::uint8_t stopBitsCode = 0;     // 0 one, 1 one and a half, 2 two
  std::uint8_t flowControlCode = 0;  // 0 none, 1 Xon/Xoff, 2 hardware (CTS/RTS)
};

// "/dev/ttyUSB0" stays as it is; "ttyUSB0" becomes "/dev/ttyUSB0".
std::string DevicePathForPort(const std::string& portName);

// A serial device opened exclusively for reading and writing.
class SerialPort {
 public:
  static Result<std::unique_ptr<SerialPort>> Open(const std::string& portName);
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Applies the parameters with DTR off and RTS off (or RTS handshake with
  // hardware flow control); refuses what the device or Linux cannot do.
  Status Apply(const SerialParameters& parameters);
  Status Purge();  // drops unsent and unread bytes
  Result<int> InputQueueCount() const;
  // Waits until a byte can be read; false on timeout. An error when the device
  // has hung up or vanished.
  Result<bool> WaitReadable(std::chrono::milliseconds limit) const;
  // Reads what is queued, up to the buffer's size, without waiting; fails when
  // nothing is queued or the device has hung up.
  Result<std::size_t> ReadQueued(std::span<char> buffer);
  // Whether the device reports a hang-up or an error now, queued bytes or not.
  bool HungUp() const;
  // Hands every byte over in order. Fails when the device refuses a byte or
  // takes none for a second.
  Status Write(std::string_view bytes);
  Status Close();

  const std::string& devicePath() const { return devicePath_; }

 private:
  SerialPort(int fd, std::string devicePath);
  int fd_ = -1;
  // Exclusive mode belongs to the terminal, not to a descriptor: only the port
  // that set it may clear it, or a refused second open frees the first.
  bool exclusive_ = false;
  std::string devicePath_;
};

}  // namespace torvane
