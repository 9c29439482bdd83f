#include "production/carrier_id_pages.h"

#include "production/layout_place.h"
#include "view/page_geometry.h"

namespace torvane {

PageSet CarrierIdPages(const ConfigurationSet& set) {
  const CarrierIdPlace place = LayoutPlace(set);
  PageSet pages{};
  for (int page = 1; page <= kPageCount; ++page) {
    pages[static_cast<std::size_t>(page - 1)] =
        page <= kCarrierIdAreaPages || (set.sourceDecimalCounter && place.Reaches(page));
  }
  return pages;
}

}  // namespace torvane
