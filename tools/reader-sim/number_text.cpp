#include "number_text.h"

#include <charconv>

namespace torvane::sim {

std::optional<long> ParseDecimal(std::string_view text, long min, long max) {
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (value < min || value > max) return std::nullopt;
  return value;
}

std::optional<int> HexDigitValue(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  return std::nullopt;
}

std::optional<std::uint32_t> ParseUidNumber(std::string_view text) {
  if (text.empty() || text.size() > 8) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : text) {
    const auto digit = HexDigitValue(c);
    if (!digit) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(*digit);
  }
  return value;
}

std::optional<std::string> ParseHexBytes(std::string_view text) {
  if (text.empty() || text.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const auto high = HexDigitValue(text[i]);
    const auto low = HexDigitValue(text[i + 1]);
    if (!high || !low) return std::nullopt;
    bytes.push_back(static_cast<char>(*high * 16 + *low));
  }
  return bytes;
}

}  // namespace torvane::sim
