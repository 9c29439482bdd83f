#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace torvane::sim {

// Cuts the received bytes into command lines: CR ends a line, LF is dropped.
class LineAssembler {
 public:
  // Longer lines are kept cut to this length, so a flood cannot exhaust memory.
  static constexpr std::size_t kMaxLineLength = 512;

  // The completed line, without its CR, when `byte` ends one.
  std::optional<std::string> Push(char byte);

 private:
  std::string pending_;
};

}  // namespace torvane::sim
