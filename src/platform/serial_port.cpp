#include "platform/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "platform/custom_baud_rate.h"
#include "platform/termios_settings.h"

namespace torvane {

namespace {

constexpr std::uint8_t kFlowHardware = 2;
// A byte that cannot be handed over within this time (flow control held, a
// stuck driver) fails instead of freezing the caller.
constexpr std::chrono::milliseconds kWriteLimit{1000};

Status SystemFailure(const std::string& what) {
  return Status::Failure(what + ": " + SystemErrorText(errno));
}

// Ports without modem lines (pseudo-terminals, some adapters) refuse these calls.
bool LacksModemLines(int errnoValue) {
  return errnoValue == ENOTTY || errnoValue == EINVAL;
}

Status SetModemLine(int fd, unsigned long request, int line) {
  if (ioctl(fd, request, &line) == 0 || LacksModemLines(errno)) return Status::Success();
  return SystemFailure("Cannot set the modem lines");
}

// Describes poll() events that mean the device is gone or unusable.
std::optional<std::string> HangUpText(short events) {
  if (events & POLLNVAL) return "The port is not open";
  if (events & POLLHUP) return "The device has hung up";
  if (events & POLLERR) return "The device reports an error";
  return std::nullopt;
}

}  // namespace

std::string DevicePathForPort(const std::string& portName) {
  return portName.starts_with('/') ? portName : "/dev/" + portName;
}

SerialPort::SerialPort(int fd, std::string devicePath)
    : fd_(fd), devicePath_(std::move(devicePath)) {}

SerialPort::~SerialPort() {
  Close();
}

Result<std::unique_ptr<SerialPort>> SerialPort::Open(const std::string& portName) {
  using Opened = Result<std::unique_ptr<SerialPort>>;
  if (portName.empty()) return Opened::Failure("No port name given");
  const std::string path = DevicePathForPort(portName);
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0 && errno == EBUSY) return Opened::Failure(path + " is in use by another program");
  if (fd < 0) return Opened::Failure("Cannot open " + path + ": " + SystemErrorText(errno));
  std::unique_ptr<SerialPort> port(new SerialPort(fd, path));
  if (!isatty(fd)) {
    return Opened::Failure("Cannot open " + path + ": " + SystemErrorText(ENOTTY));
  }
  // TIOCEXCL keeps other programs off the device; the lock also keeps off
  // other stations, which may run as root and so pass TIOCEXCL.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool busy = errno == EWOULDBLOCK;
    return Opened::Failure(busy ? path + " is in use by another station"
                                : "Cannot lock " + path + ": " + SystemErrorText(errno));
  }
  if (ioctl(fd, TIOCEXCL) != 0) {
    return Opened::Failure("Cannot open " + path + " exclusively: " + SystemErrorText(errno));
  }
  port->exclusive_ = true;
  return Opened::Success(std::move(port));
}

Status SerialPort::Apply(const SerialParameters& parameters) {
  if (Status valid = ValidateSerialParameters(parameters); !valid.ok()) return valid;
  termios wanted{};
  if (tcgetattr(fd_, &wanted) != 0) return SystemFailure("Cannot read the port settings");
  EncodeSerialFraming(parameters, wanted);
  const std::optional<speed_t> speed = StandardSpeed(parameters.baudRate);
  cfsetispeed(&wanted, speed.value_or(B38400));
  cfsetospeed(&wanted, speed.value_or(B38400));
  // glibc already fails here when the data bits or the parity did not take.
  if (tcsetattr(fd_, TCSANOW, &wanted) != 0) {
    return SystemFailure("The device refused the port settings");
  }
  if (!speed) {
    if (Status custom = SetCustomBaudRate(fd_, parameters.baudRate); !custom.ok()) {
      return Status::Failure("The device refused the baud rate " +
                             std::to_string(parameters.baudRate) + ": " + custom.error);
    }
  }

  // tcsetattr succeeds when any part of the settings took effect, so only a
  // read-back shows what the device refused.
  termios applied{};
  if (tcgetattr(fd_, &applied) != 0) return SystemFailure("Cannot read the port settings");
  if (const auto mismatch = FramingMismatch(wanted, applied)) {
    return Status::Failure("The device refused the " + *mismatch + " setting");
  }
  const bool rateHeld = speed ? cfgetospeed(&applied) == *speed
                              : ReadCustomBaudRate(fd_).value == parameters.baudRate;
  if (!rateHeld) {
    return Status::Failure("The device refused the baud rate " +
                           std::to_string(parameters.baudRate));
  }

  // DTR stays off; RTS is off too unless the hardware handshake drives it.
  if (Status dtr = SetModemLine(fd_, TIOCMBIC, TIOCM_DTR); !dtr.ok()) return dtr;
  const bool handshake = parameters.flowControlCode == kFlowHardware;
  return SetModemLine(fd_, handshake ? TIOCMBIS : TIOCMBIC, TIOCM_RTS);
}

Status SerialPort::Purge() {
  if (tcflush(fd_, TCIOFLUSH) != 0) return SystemFailure("Cannot purge " + devicePath_);
  return Status::Success();
}

Result<int> SerialPort::InputQueueCount() const {
  int count = 0;
  if (ioctl(fd_, FIONREAD, &count) != 0) {
    return Result<int>::Failure("Cannot query " + devicePath_ + ": " + SystemErrorText(errno));
  }
  return Result<int>::Success(count);
}

Result<bool> SerialPort::WaitReadable(std::chrono::milliseconds limit) const {
  pollfd watch{fd_, POLLIN, 0};
  const int ready = poll(&watch, 1, static_cast<int>(limit.count()));
  if (ready < 0) {
    if (errno == EINTR) return Result<bool>::Success(false);
    return Result<bool>::Failure("Cannot wait for " + devicePath_ + ": " + SystemErrorText(errno));
  }
  // Bytes that arrived before a hang-up are still worth reading.
  if (watch.revents & POLLIN) return Result<bool>::Success(true);
  if (const auto hangUp = HangUpText(watch.revents)) return Result<bool>::Failure(*hangUp);
  return Result<bool>::Success(false);
}

Result<std::size_t> SerialPort::ReadQueued(std::span<char> buffer) {
  for (;;) {
    const ssize_t count = read(fd_, buffer.data(), buffer.size());
    if (count > 0) return Result<std::size_t>::Success(static_cast<std::size_t>(count));
    if (count == 0) return Result<std::size_t>::Failure("The device has hung up");
    if (errno != EINTR) {
      return Result<std::size_t>::Failure("Cannot read " + devicePath_ + ": " +
                                          SystemErrorText(errno));
    }
  }
}

bool SerialPort::HungUp() const {
  pollfd watch{fd_, POLLIN, 0};
  if (poll(&watch, 1, 0) < 0) return false;
  return HangUpText(watch.revents).has_value();
}

Status SerialPort::Write(std::string_view bytes) {
  auto deadline = std::chrono::steady_clock::now() + kWriteLimit;
  while (!bytes.empty()) {
    const ssize_t count = write(fd_, bytes.data(), bytes.size());
    if (count > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(count));
      deadline = std::chrono::steady_clock::now() + kWriteLimit;
      continue;
    }
    if (errno == EINTR) continue;
    if (errno != EAGAIN) return SystemFailure("Cannot write to " + devicePath_);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      return Status::Failure("Cannot write to " + devicePath_ + ": the device takes no data");
    }
    pollfd watch{fd_, POLLOUT, 0};
    if (poll(&watch, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) {
      return SystemFailure("Cannot wait for " + devicePath_);
    }
    if (const auto hangUp = HangUpText(watch.revents)) return Status::Failure(*hangUp);
  }
  return Status::Success();
}

Status SerialPort::Close() {
  if (fd_ < 0) return Status::Success();
  if (exclusive_) ioctl(fd_, TIOCNXCL);
  exclusive_ = false;
  const int fd = fd_;
  fd_ = -1;
  // Linux releases the descriptor even when close reports an error.
  if (close(fd) != 0) return SystemFailure("Cannot close " + devicePath_);
  return Status::Success();
}

}  // namespace torvane
