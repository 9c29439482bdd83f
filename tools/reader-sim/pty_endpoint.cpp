#include "pty_endpoint.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace torvane::sim {

namespace {

using Opened = Result<std::unique_ptr<PtyEndpoint>>;

// How often to look again while the station has the device closed.
constexpr std::chrono::milliseconds kReopenPoll{5};
// A sleeping thread wakes some tens of microseconds late; paced bytes spend the
// last stretch before their time awake, so they leave on time.
constexpr std::chrono::microseconds kSpinWindow{150};
// How long an answer may wait for a station that does not read.
constexpr std::chrono::seconds kWriteStall{1};

Opened Failure(const char* what, int master) {
  const std::string text = std::string(what) + ": " + SystemErrorText(errno);
  if (master >= 0) ::close(master);
  return Opened::Failure(text);
}

}  // namespace

Opened PtyEndpoint::Open() {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master < 0) return Failure("cannot open a pseudo-terminal", -1);
  if (::grantpt(master) != 0 || ::unlockpt(master) != 0)
    return Failure("cannot unlock the pseudo-terminal", master);
  char path[128];
  if (::ptsname_r(master, path, sizeof path) != 0)
    return Failure("cannot name the pseudo-terminal", master);
  // On a pseudo-terminal the master sets the terminal modes of the device side.
  termios modes{};
  if (::tcgetattr(master, &modes) != 0) return Failure("cannot read the terminal modes", master);
  ::cfmakeraw(&modes);
  if (::tcsetattr(master, TCSANOW, &modes) != 0)
    return Failure("cannot set raw terminal modes", master);
  int wake[2];
  if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) return Failure("cannot create a pipe", master);
  return Opened::Success(
      std::unique_ptr<PtyEndpoint>(new PtyEndpoint(master, wake[0], wake[1], path)));
}

PtyEndpoint::PtyEndpoint(int master, int wakeRead, int wakeWrite, std::string devicePath)
    : master_(master),
      wakeRead_(wakeRead),
      wakeWrite_(wakeWrite),
      devicePath_(std::move(devicePath)) {}

PtyEndpoint::~PtyEndpoint() {
  Close();
  ::close(wakeRead_);
  ::close(wakeWrite_);
}

int PtyEndpoint::Poll(int fd, short events, std::optional<Clock::duration> timeout) {
  pollfd fds[2] = {{wakeRead_, POLLIN, 0}, {fd, events, 0}};
  const nfds_t count = fd >= 0 ? 2 : 1;
  // Nanosecond timeouts, so that bytes paced at high rates keep their spacing.
  timespec limit{};
  if (timeout) {
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::max(*timeout, Clock::duration::zero()));
    limit.tv_sec = static_cast<time_t>(ns.count() / 1'000'000'000);
    limit.tv_nsec = static_cast<long>(ns.count() % 1'000'000'000);
  }
  int ready;
  do {
    ready = ::ppoll(fds, count, timeout ? &limit : nullptr, nullptr);
  } while (ready < 0 && errno == EINTR);
  if (fds[0].revents != 0 || woken_.load()) return -1;
  return ready > 0 ? fds[1].revents : 0;
}

PtyEndpoint::Wait PtyEndpoint::WaitReadable() {
  for (;;) {
    const int events = Poll(master_, POLLIN, std::nullopt);
    if (events < 0) return Wait::kWoken;
    if (events & POLLIN) return Wait::kReadable;
    // A hang-up without data: the station has closed the device.
    if (Poll(-1, 0, kReopenPoll) < 0) return Wait::kWoken;
  }
}

Result<std::string> PtyEndpoint::Read() {
  char buffer[256];
  const ssize_t n = ::read(master_, buffer, sizeof buffer);
  if (n < 0) return Result<std::string>::Failure(SystemErrorText(errno));
  return Result<std::string>::Success(std::string(buffer, static_cast<std::size_t>(n)));
}

bool PtyEndpoint::SleepUntil(Clock::time_point deadline) {
  for (;;) {
    const auto left = deadline - Clock::now();
    if (left <= Clock::duration::zero()) return !woken_.load();
    if (left <= kSpinWindow) {
      std::this_thread::yield();
      if (woken_.load()) return false;
    } else if (Poll(-1, 0, left - kSpinWindow) < 0) {
      return false;
    }
  }
}

bool PtyEndpoint::Write(std::string_view bytes) {
  const auto giveUp = Clock::now() + kWriteStall;
  while (!bytes.empty()) {
    const ssize_t n = ::write(master_, bytes.data(), bytes.size());
    if (n > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(n));
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) break;
    const auto left = giveUp - Clock::now();
    if (left <= Clock::duration::zero()) break;
    const int events = Poll(master_, POLLOUT, left);
    if (events < 0) return false;
    if ((events & POLLOUT) == 0) break;
  }
  return bytes.empty() || !woken_.load();
}

void PtyEndpoint::Wake() {
  if (woken_.exchange(true)) return;
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(wakeWrite_, &byte, 1);
}

void PtyEndpoint::Close() {
  if (master_ < 0) return;
  ::close(master_);
  master_ = -1;
}

}  // namespace torvane::sim
