#include "production/counter_page.h"

#include "config/counter_page_number.h"
#include "platform/decimal_text.h"
#include "production/set_pages.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {
constexpr std::uint64_t kLargestCounter = 99'999'999;
}  // namespace

void PlaceCounterPage(ProductionContext& context) {
  context.view.TakeFieldValues();
  ConfigurationSet& set = context.setInUse.set;
  const std::optional<int> page = CounterPageNumber(set.counterPage);
  if (!page) return;
  const int index = *page - 1;
  const std::string digits = ZeroPadded(set.counterValue, kBytesPerPage);
  SetPages pages(set, context.pages);
  for (int b = 0; b < kBytesPerPage; ++b) {
    pages.SetByte(index * kBytesPerPage + b,
                  static_cast<unsigned char>(digits[static_cast<std::size_t>(b)]));
  }
  pages.RebuildPageText(index);
  context.view.ShowFieldValues();
}

std::string NextCounterValue(const std::string& counterValue) {
  std::uint64_t value = ReadDecimal(counterValue);
  value = value >= kLargestCounter ? 0 : value + 1;
  return ZeroPadded(std::to_string(value), kBytesPerPage);
}

}  // namespace torvane
