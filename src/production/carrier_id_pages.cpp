#include "production/carrier_id_pages.h"

#include <algorithm>

#include "platform/decimal_text.h"
#include "production/compose_data_set.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {
constexpr long long kPageBytes = kBytesPerPage;
}

PageSet CarrierIdPages(const ConfigurationSet& set) {
  PageSet pages{};
  pages[0] = true;
  pages[1] = true;
  if (!set.sourceDecimalCounter) return pages;
  const long long start = kPageBytes * (MemoryPage(set) - 1) + ReadInteger(set.carrierIdOffset);
  const long long end =
      std::min(start + std::max(0LL, ReadInteger(set.carrierIdLength)), kPageBytes * kPageCount);
  for (long long byte = std::max(0LL, start); byte < end; ++byte) {
    pages[static_cast<std::size_t>(byte / kPageBytes)] = true;
  }
  return pages;
}

}  // namespace torvane
