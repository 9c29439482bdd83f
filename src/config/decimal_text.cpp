#include "config/decimal_text.h"

#include <limits>

namespace torvane {

namespace {

constexpr int kFirstCounterPage = 3;
constexpr int kLastCounterPage = 17;

}  // namespace

std::uint64_t ReadDecimal(std::string_view text) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::uint64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const auto digit = static_cast<std::uint64_t>(text[i] - '0');
    if (value > (kMax - digit) / 10) return kMax;
    value = value * 10 + digit;
  }
  return value;
}

std::string ZeroPadded(std::string_view text, std::size_t width) {
  if (text.size() >= width) return std::string(text);
  return std::string(width - text.size(), '0') + std::string(text);
}

std::optional<int> CounterPageNumber(std::string_view counterPage) {
  for (int page = kFirstCounterPage; page <= kLastCounterPage; ++page) {
    if (counterPage == std::to_string(page)) return page;
  }
  return std::nullopt;
}

}  // namespace torvane
