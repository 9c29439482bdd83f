#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace torvane {

// Cuts the reader's byte stream into lines at CR. Every other byte, LF and NUL
// included, belongs to the line; a reader that ends its answers with CR LF
// therefore starts each following line with the LF.
class LineAssembler {
 public:
  // A line keeps its first 127 characters; the rest, up to its CR, is dropped.
  static constexpr std::size_t kMaxLineLength = 127;

  // Feeds one byte. On CR returns the completed line followed by CR LF.
  std::optional<std::string> Accept(char byte);
  std::size_t rxLength() const { return rxLine_.size(); }

 private:
  std::string rxLine_;
};

}  // namespace torvane
