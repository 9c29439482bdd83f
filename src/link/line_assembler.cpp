#include "link/line_assembler.h"

#include <utility>

namespace torvane {

std::optional<std::string> LineAssembler::Accept(char byte) {
  if (byte != '\r') {
    if (rxLine_.size() < kMaxLineLength) rxLine_.push_back(byte);
    return std::nullopt;
  }
  std::string line = std::move(rxLine_);
  rxLine_.clear();
  line += "\r\n";
  return line;
}

}  // namespace torvane
