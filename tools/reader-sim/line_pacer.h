#pragma once

#include <chrono>
#include <cstdint>

namespace torvane::sim {

// One direction of a serial line of a given speed: a byte takes ten bit times
// (start bit, eight data bits, stop bit) and waits for the bytes before it.
class LinePacer {
 public:
  using Clock = std::chrono::steady_clock;

  explicit LinePacer(std::uint32_t baud);  // 0: bytes take no time

  Clock::duration byteTime() const { return byteTime_; }
  // When a byte handed to the line at `handed` has fully crossed it.
  Clock::time_point Carry(Clock::time_point handed);

 private:
  Clock::duration byteTime_{0};
  Clock::time_point lineFreeAt_{};
};

}  // namespace torvane::sim
