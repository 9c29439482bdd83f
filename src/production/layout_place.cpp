#include "production/layout_place.h"

#include <algorithm>

#include "platform/decimal_text.h"
#include "view/page_geometry.h"

namespace torvane {

int MemoryPage(const ConfigurationSet& set) {
  return static_cast<int>(std::clamp<long long>(ReadInteger(set.memoryPage), 1, kPageCount));
}

CarrierIdPlace LayoutPlace(const ConfigurationSet& set) {
  const long long length = std::max(0LL, ReadInteger(set.carrierIdLength));
  return {FirstByteOfPage(MemoryPage(set)) + ReadInteger(set.carrierIdOffset),
          static_cast<int>(length)};
}

}  // namespace torvane
