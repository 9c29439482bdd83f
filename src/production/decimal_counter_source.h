#pragma once

#include "production/carrier_id_source.h"
#include "production/production_context.h"

namespace torvane {

// Carrier IDs counted up from the set's "Carrier ID", up to the smaller of the
// "max" field and the largest number of "Carrier ID Length" digits.
class DecimalCounterSource : public CarrierIdSource {
 public:
  explicit DecimalCounterSource(ProductionContext& context) : context_(context) {}

  PrepareResult Prepare() override;
  Status Advance() override;
  std::optional<InFlightEntry> InFlight() const override;

 private:
  ProductionContext& context_;
};

}  // namespace torvane
