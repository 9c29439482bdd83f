#include "station_side.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace torvane::sim {

StationSide::StationSide(const std::string& devicePath) {
  fd_ = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios modes{};
  if (fd_ >= 0 && ::tcgetattr(fd_, &modes) == 0) {
    ::cfmakeraw(&modes);
    ::tcsetattr(fd_, TCSANOW, &modes);
  }
}

StationSide::~StationSide() {
  Close();
}

void StationSide::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool StationSide::Send(std::string_view bytes) {
  return ::write(fd_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

bool StationSide::WaitReadable(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  if (left.count() < 0) return false;
  pollfd fds{fd_, POLLIN, 0};
  if (::poll(&fds, 1, static_cast<int>(left.count())) <= 0) return false;
  if ((fds.revents & POLLIN) == 0) return false;
  char buffer[512];
  const ssize_t n = ::read(fd_, buffer, sizeof buffer);
  if (n <= 0) return false;
  received_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

std::string StationSide::ReadLine(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (received_.find('\r') == std::string::npos && WaitReadable(deadline)) {
  }
  const auto end = received_.find('\r');
  const std::size_t taken = end == std::string::npos ? received_.size() : end + 1;
  std::string line = received_.substr(0, taken);
  received_.erase(0, taken);
  return line;
}

std::string StationSide::ReadBytes(std::size_t count, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (received_.size() < count && WaitReadable(deadline)) {
  }
  std::string bytes = received_.substr(0, count);
  received_.erase(0, bytes.size());
  return bytes;
}

bool StationSide::WaitHangUp(std::chrono::milliseconds limit) {
  pollfd fds{fd_, POLLIN, 0};
  if (::poll(&fds, 1, static_cast<int>(limit.count())) <= 0) return false;
  char byte;
  return (fds.revents & (POLLHUP | POLLERR)) != 0 || ::read(fd_, &byte, 1) <= 0;
}

}  // namespace torvane::sim
