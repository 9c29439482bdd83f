#include "production/compose_data_set.h"

#include <algorithm>

#include "config/decimal_text.h"
#include "platform/decimal_text.h"
#include "production/set_pages.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {
constexpr long long kPageBytes = kBytesPerPage;
}

int MemoryPage(const ConfigurationSet& set) {
  return static_cast<int>(std::clamp<long long>(ReadInteger(set.memoryPage), 1, kPageCount));
}

void ComposeDataSet(ProductionContext& context, std::string_view carrierId) {
  context.view.TakeFieldValues();
  ConfigurationSet& set = context.setInUse.set;
  const long long length = std::max(0LL, ReadInteger(set.carrierIdLength));
  const long long start = kPageBytes * (MemoryPage(set) - 1) + ReadInteger(set.carrierIdOffset);
  const std::string digits = ZeroPadded(carrierId, static_cast<std::size_t>(length));

  SetPages pages(set, context.pages);
  for (long long k = 0; k < length; ++k) {
    pages.SetByte(start + k, static_cast<unsigned char>(digits[static_cast<std::size_t>(k)]));
  }
  // Pages 1 and 2 always, and every other page the carrier ID reaches, so that
  // the page texts written are the bytes just composed.
  pages.RebuildPageText(0);
  pages.RebuildPageText(1);
  const long long first = std::max(0LL, start);
  const long long end = std::min<long long>(start + length, kMemoryBytes);
  if (first < end) {
    for (long long page = std::max(2LL, first / kPageBytes); page <= (end - 1) / kPageBytes;
         ++page) {
      pages.RebuildPageText(static_cast<int>(page));
    }
  }
  context.view.ShowFieldValues();
}

void ComposeCounterDataSet(ProductionContext& context) {
  const ConfigurationSet& set = context.setInUse.set;
  const long long length = std::max(0LL, ReadInteger(set.carrierIdLength));
  ComposeDataSet(context, CounterCarrierId(set.carrierId, static_cast<std::size_t>(length)));
}

}  // namespace torvane
