#include "support/pty_peer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <utility>

#include "platform/result.h"

namespace torvane {

namespace {

std::string ErrorText(const std::string& what) {
  return what + ": " + SystemErrorText(errno);
}

int MillisecondsUntil(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return static_cast<int>(std::max<long>(left.count(), 0));
}

}  // namespace

PtyPeer::PtyPeer() {
  fd_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  char name[128] = {};
  if (fd_ < 0 || grantpt(fd_) != 0 || unlockpt(fd_) != 0 ||
      ptsname_r(fd_, name, sizeof name) != 0) {
    error_ = ErrorText("Cannot set up a pseudo-terminal");
    return;
  }
  OpenRaw(name, slave_);
}

PtyPeer::PtyPeer(const std::string& devicePath) {
  OpenRaw(devicePath, fd_);
  // The lock a station takes: another station that opens the device by an old
  // name (a pseudo-terminal's number is soon given out again) backs off instead
  // of flushing and reading what the reader sends this one.
  if (ok() && flock(fd_, LOCK_EX | LOCK_NB) != 0) error_ = ErrorText("Cannot lock " + devicePath);
}

PtyPeer::~PtyPeer() {
  Close();
  if (slave_ >= 0) close(slave_);
}

void PtyPeer::OpenRaw(const std::string& path, int& fd) {
  slavePath_ = path;
  fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  termios settings{};
  if (fd < 0 || tcgetattr(fd, &settings) != 0) {
    error_ = ErrorText(path);
    return;
  }
  cfmakeraw(&settings);
  if (tcsetattr(fd, TCSANOW, &settings) != 0) error_ = ErrorText("tcsetattr");
}

bool PtyPeer::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    if (fd_ < 0) return false;
    const ssize_t written = write(fd_, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
      continue;
    }
    if (errno != EAGAIN && errno != EINTR) return false;
    pollfd watch{fd_, POLLOUT, 0};
    poll(&watch, 1, 100);
  }
  return true;
}

bool PtyPeer::ReceiveMore(std::chrono::steady_clock::time_point deadline) {
  if (fd_ < 0) return false;
  pollfd watch{fd_, POLLIN, 0};
  const int ready = poll(&watch, 1, MillisecondsUntil(deadline));
  if (ready < 0) return errno == EINTR;
  if (ready == 0) return false;
  char buffer[512];
  const ssize_t count = read(fd_, buffer, sizeof buffer);
  if (count < 0) return errno == EAGAIN || errno == EINTR;
  received_.append(buffer, static_cast<std::size_t>(count));
  return count > 0;
}

std::string PtyPeer::ReadUntil(const Predicate& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!(done && done(received_)) && ReceiveMore(deadline)) {
  }
  return std::exchange(received_, {});
}

std::string PtyPeer::ReadLine(std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (received_.find('\r') == std::string::npos) {
    if (!ReceiveMore(deadline)) return {};
  }
  const std::size_t end = received_.find('\r') + 1;
  std::string line = received_.substr(0, end);
  received_.erase(0, end);
  return line;
}

bool PtyPeer::WaitHangUp(std::chrono::milliseconds limit) {
  pollfd watch{fd_, POLLIN, 0};
  if (fd_ < 0 || poll(&watch, 1, static_cast<int>(limit.count())) <= 0) return false;
  char byte;
  return (watch.revents & (POLLHUP | POLLERR)) != 0 || read(fd_, &byte, 1) <= 0;
}

void PtyPeer::Close() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

}  // namespace torvane
