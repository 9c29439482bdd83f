#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace torvane::sim {

// The station's end of the simulator's line, opened as a station opens its
// port: the device node, raw mode.
class StationSide {
 public:
  static constexpr std::chrono::milliseconds kLimit{5000};

  explicit StationSide(const std::string& devicePath);
  ~StationSide();
  StationSide(const StationSide&) = delete;
  StationSide& operator=(const StationSide&) = delete;

  bool ok() const { return fd_ >= 0; }
  bool Send(std::string_view bytes);
  // Up to and including the next CR; what came before the limit ran out otherwise.
  std::string ReadLine(std::chrono::milliseconds limit = kLimit);
  // Exactly `count` bytes, or fewer when the limit runs out.
  std::string ReadBytes(std::size_t count, std::chrono::milliseconds limit = kLimit);
  // True when the line hangs up within the limit.
  bool WaitHangUp(std::chrono::milliseconds limit = kLimit);
  void Close();

 private:
  // False when nothing became readable before the deadline or the line hung up.
  bool WaitReadable(std::chrono::steady_clock::time_point deadline);

  int fd_ = -1;
  std::string received_;
};

}  // namespace torvane::sim
