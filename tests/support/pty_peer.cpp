#include "support/pty_peer.h"

#include <fcntl.h>
#include <poll.h>
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

}  // namespace

PtyPeer::PtyPeer() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master_ < 0) {
    error_ = ErrorText("posix_openpt");
    return;
  }
  char name[128] = {};
  if (grantpt(master_) != 0 || unlockpt(master_) != 0 ||
      ptsname_r(master_, name, sizeof name) != 0) {
    error_ = ErrorText("Cannot unlock the pseudo-terminal");
    return;
  }
  slavePath_ = name;
  slave_ = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  termios settings{};
  if (slave_ < 0 || tcgetattr(slave_, &settings) != 0) {
    error_ = ErrorText(name);
    return;
  }
  cfmakeraw(&settings);
  if (tcsetattr(slave_, TCSANOW, &settings) != 0) error_ = ErrorText("tcsetattr");
}

PtyPeer::~PtyPeer() {
  CloseMaster();
  if (slave_ >= 0) close(slave_);
}

bool PtyPeer::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    if (master_ < 0) return false;
    const ssize_t written = write(master_, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
      continue;
    }
    if (errno != EAGAIN && errno != EINTR) return false;
    pollfd watch{master_, POLLOUT, 0};
    poll(&watch, 1, 100);
  }
  return true;
}

bool PtyPeer::ReceiveMore(std::chrono::steady_clock::time_point deadline) {
  if (master_ < 0) return false;
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  pollfd watch{master_, POLLIN, 0};
  const int ready = poll(&watch, 1, static_cast<int>(std::max<long>(left.count(), 0)));
  if (ready < 0) return errno == EINTR;
  if (ready == 0) return false;
  char buffer[512];
  const ssize_t count = read(master_, buffer, sizeof buffer);
  if (count < 0) return errno == EAGAIN || errno == EINTR;
  received_.append(buffer, static_cast<std::size_t>(count));
  return count > 0;
}

std::string PtyPeer::ReadUntil(const Predicate& done, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done(received_) && ReceiveMore(deadline)) {
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

std::string PtyPeer::ReadPending() {
  ReceiveMore(std::chrono::steady_clock::now());
  return std::exchange(received_, {});
}

void PtyPeer::CloseMaster() {
  if (master_ >= 0) close(master_);
  master_ = -1;
}

}  // namespace torvane
