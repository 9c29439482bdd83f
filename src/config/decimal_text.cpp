#include "config/decimal_text.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {

constexpr int kFirstCounterPage = 3;
constexpr int kLastCounterPage = kPageCount;

}  // namespace

std::string ZeroPadded(std::string_view text, std::size_t width) {
  if (text.size() >= width) return std::string(text);
  return std::string(width - text.size(), '0') + std::string(text);
}

std::string CounterCarrierId(std::string_view value, std::size_t width) {
  return ZeroPadded(std::to_string(ReadDecimal(value)), width);
}

std::optional<int> CounterPageNumber(std::string_view counterPage) {
  for (int page = kFirstCounterPage; page <= kLastCounterPage; ++page) {
    if (counterPage == std::to_string(page)) return page;
  }
  return std::nullopt;
}

}  // namespace torvane
