#include "line_pacer.h"

#include <algorithm>

namespace torvane::sim {

namespace {
constexpr std::int64_t kBitsPerByte = 10;
}

LinePacer::LinePacer(std::uint32_t baud) {
  if (baud == 0) return;
  byteTime_ = std::chrono::duration_cast<Clock::duration>(
      std::chrono::nanoseconds(kBitsPerByte * 1'000'000'000 / baud));
}

LinePacer::Clock::time_point LinePacer::Carry(Clock::time_point handed) {
  lineFreeAt_ = std::max(lineFreeAt_, handed) + byteTime_;
  return lineFreeAt_;
}

}  // namespace torvane::sim
