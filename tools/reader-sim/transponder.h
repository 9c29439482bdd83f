#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace torvane::sim {

inline constexpr int kPageCount = 17;
inline constexpr int kPageSize = 8;

using Page = std::array<std::uint8_t, kPageSize>;

// The memory of one transponder. pages[0] is page 1; a locked page refuses writes.
struct Transponder {
  std::string uid;
  std::array<Page, kPageCount> pages{};
  std::array<bool, kPageCount> locked{};

  bool operator==(const Transponder&) const = default;
};

}  // namespace torvane::sim
