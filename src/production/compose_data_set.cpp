#include "production/compose_data_set.h"

#include "platform/decimal_text.h"
#include "production/layout_place.h"
#include "production/set_pages.h"
#include "view/page_geometry.h"

namespace torvane {

void ComposeDataSet(ProductionContext& context, std::string_view carrierId) {
  context.view.TakeFieldValues();
  ConfigurationSet& set = context.setInUse.set;
  const CarrierIdPlace place = LayoutPlace(set);
  const std::string digits = ZeroPadded(carrierId, static_cast<std::size_t>(place.length()));

  SetPages pages(set, context.pages);
  for (int k = 0; k < place.length(); ++k) {
    pages.SetByte(place.offset() + k,
                  static_cast<unsigned char>(digits[static_cast<std::size_t>(k)]));
  }
  // Pages 1 and 2 always, and every other page the carrier ID reaches, so that
  // the page texts written are the bytes just composed.
  for (int page = 1; page <= kPageCount; ++page) {
    if (page <= kCarrierIdAreaPages || place.Reaches(page)) pages.RebuildPageText(page - 1);
  }
  context.view.ShowFieldValues();
}

void ComposeCounterDataSet(ProductionContext& context) {
  const ConfigurationSet& set = context.setInUse.set;
  const auto length = static_cast<std::size_t>(LayoutPlace(set).length());
  ComposeDataSet(context, CounterCarrierId(set.carrierId, length));
}

}  // namespace torvane
