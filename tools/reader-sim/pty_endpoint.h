#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace torvane::sim {

// The reader's end of a pseudo-terminal in raw mode. The serving thread waits
// in it; any other thread may Wake() it, after which every wait returns at once.
class PtyEndpoint {
 public:
  using Clock = std::chrono::steady_clock;
  enum class Wait { kReadable, kWoken };

  static Result<std::unique_ptr<PtyEndpoint>> Open();
  ~PtyEndpoint();
  PtyEndpoint(const PtyEndpoint&) = delete;
  PtyEndpoint& operator=(const PtyEndpoint&) = delete;

  const std::string& devicePath() const { return devicePath_; }

  // Waits for received bytes. While no station holds the device open the
  // line reports a hang-up; that is not the end, only a wait for the next open.
  Wait WaitReadable();
  Result<std::string> Read();
  // False when woken before `deadline`.
  bool SleepUntil(Clock::time_point deadline);
  // False when woken. Bytes the station does not take within a second are
  // dropped: a reader does not hold its answers back for a station that stopped
  // reading or has the device closed.
  bool Write(std::string_view bytes);

  void Wake();
  // Closes the device: the station's side sees the line hang up for good.
  void Close();
  // Closes the device as Close() does, but keeps its number, so that no other
  // pseudo-terminal takes the path while it is away.
  void HangUp();
  // After HangUp(): the device again under the same path and number, unwoken,
  // as a USB adapter plugged in again comes back under its own name.
  Status Plug();

 private:
  PtyEndpoint(int master, int wakeRead, int wakeWrite, std::string devicePath);
  // Polls `fd` (none when negative) for `events` together with the wake pipe,
  // for at most `timeout` (no limit without one). The events that came, or 0 on
  // timeout; -1 when woken.
  int Poll(int fd, short events, std::optional<Clock::duration> timeout);

  int master_;
  int heldDevice_ = -1;  // keeps the number of a hung-up device
  int wakeRead_;
  int wakeWrite_;
  std::atomic<bool> woken_{false};
  std::string devicePath_;
};

}  // namespace torvane::sim
