#include "production/counter_page.h"

#include "production/decimal_text.h"
#include "production/set_pages.h"

namespace torvane {

namespace {
constexpr int kPageBytes = 8;
constexpr std::uint64_t kLargestCounter = 99'999'999;
}  // namespace

int CounterPageIndex(const ConfigurationSet& set) {
  for (int page = 3; page <= kPageCount; ++page) {
    if (set.counterPage == std::to_string(page)) return page - 1;
  }
  return -1;
}

void PlaceCounterPage(ProductionContext& context) {
  context.view.TakeFieldValues();
  ConfigurationSet& set = context.setInUse.set;
  const int index = CounterPageIndex(set);
  if (index < 0) return;
  const std::string digits = WithLeadingZeros(set.counterValue, kPageBytes);
  SetPages pages(set, context.pages);
  for (int b = 0; b < kPageBytes; ++b) {
    pages.SetByte(index * kPageBytes + b,
                  static_cast<unsigned char>(digits[static_cast<std::size_t>(b)]));
  }
  pages.RebuildPageText(index);
  context.view.ShowFieldValues();
}

std::string NextCounterValue(const std::string& counterValue) {
  std::uint64_t value = ReadUnsignedDecimal(counterValue);
  value = value >= kLargestCounter ? 0 : value + 1;
  return WithLeadingZeros(std::to_string(value), kPageBytes);
}

}  // namespace torvane
