#include "line_assembler.h"

#include <utility>

namespace torvane::sim {

std::optional<std::string> LineAssembler::Push(char byte) {
  if (byte == '\r') return std::exchange(pending_, {});
  if (byte != '\n' && pending_.size() < kMaxLineLength) pending_.push_back(byte);
  return std::nullopt;
}

}  // namespace torvane::sim
