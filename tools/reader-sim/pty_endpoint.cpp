#include "pty_endpoint.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <thread>
#include <utility>
#include <vector>

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

// How long a plugged device may wait for its number to be free again.
constexpr std::chrono::seconds kPlugDeadline{5};

// The number of a device side such as "/dev/pts/7".
long DeviceNumber(const std::string& path) {
  return std::strtol(path.c_str() + path.find_last_of('/') + 1, nullptr, 10);
}

Opened Failure(const char* what, int master) {
  const std::string text = std::string(what) + ": " + SystemErrorText(errno);
  if (master >= 0) ::close(master);
  return Opened::Failure(text);
}

// A new pseudo-terminal in raw mode and the path of its device side.
Result<std::pair<int, std::string>> OpenMaster() {
  using Master = Result<std::pair<int, std::string>>;
  const auto failure = [](const char* what, int master) {
    const std::string text = std::string(what) + ": " + SystemErrorText(errno);
    if (master >= 0) ::close(master);
    return Master::Failure(text);
  };
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master < 0) return failure("cannot open a pseudo-terminal", -1);
  if (::grantpt(master) != 0 || ::unlockpt(master) != 0)
    return failure("cannot unlock the pseudo-terminal", master);
  char path[128];
  if (::ptsname_r(master, path, sizeof path) != 0)
    return failure("cannot name the pseudo-terminal", master);
  // On a pseudo-terminal the master sets the terminal modes of the device side.
  termios modes{};
  if (::tcgetattr(master, &modes) != 0) return failure("cannot read the terminal modes", master);
  ::cfmakeraw(&modes);
  if (::tcsetattr(master, TCSANOW, &modes) != 0)
    return failure("cannot set raw terminal modes", master);
  return Master::Success({master, path});
}

}  // namespace

Opened PtyEndpoint::Open() {
  auto master = OpenMaster();
  if (!master.ok()) return Opened::Failure(master.error);
  int wake[2];
  if (::pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0)
    return Failure("cannot create a pipe", master.value.first);
  return Opened::Success(std::unique_ptr<PtyEndpoint>(
      new PtyEndpoint(master.value.first, wake[0], wake[1], master.value.second)));
}

PtyEndpoint::PtyEndpoint(int master, int wakeRead, int wakeWrite, std::string devicePath)
    : master_(master),
      wakeRead_(wakeRead),
      wakeWrite_(wakeWrite),
      devicePath_(std::move(devicePath)) {}

PtyEndpoint::~PtyEndpoint() {
  Close();
  if (heldDevice_ >= 0) ::close(heldDevice_);
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

void PtyEndpoint::HangUp() {
  if (master_ >= 0 && heldDevice_ < 0) {
    heldDevice_ = ::open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  }
  Close();
}

Status PtyEndpoint::Plug() {
  if (master_ >= 0) return Status::Success();
  // Numbers are handed out lowest first: the free ones below this device's are
  // taken for a moment, so that its own is the one handed out next.
  std::vector<int> fillers;
  const auto giveUp = Clock::now() + kPlugDeadline;
  if (heldDevice_ >= 0) ::close(heldDevice_);
  heldDevice_ = -1;
  Status plugged = Status::Failure("the device's number " + devicePath_ + " stayed taken");
  while (Clock::now() < giveUp) {
    auto master = OpenMaster();
    if (!master.ok()) {
      plugged = Status::Failure(master.error);
      break;
    }
    if (master.value.second == devicePath_) {
      master_ = master.value.first;
      plugged = Status::Success();
      break;
    }
    if (DeviceNumber(master.value.second) < DeviceNumber(devicePath_)) {
      fillers.push_back(master.value.first);
      continue;
    }
    // Above it: the number comes free once the kernel has let go of the old device.
    ::close(master.value.first);
    std::this_thread::sleep_for(kReopenPoll);
  }
  for (int filler : fillers) ::close(filler);
  if (!plugged.ok()) return plugged;
  char drained[64];
  while (::read(wakeRead_, drained, sizeof drained) > 0) {
  }
  woken_.store(false);
  return plugged;
}

}  // namespace torvane::sim
