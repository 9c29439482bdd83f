#pragma once

#include "production/carrier_id_source.h"
#include "production/production_context.h"

namespace torvane {

// The set's page contents unchanged, "Quantity" times.
class FixDataSource : public CarrierIdSource {
 public:
  explicit FixDataSource(ProductionContext& context) : context_(context) {}

  PrepareResult Prepare() override;
  Status Advance() override;
  std::optional<InFlightEntry> InFlight() const override { return std::nullopt; }

 private:
  ProductionContext& context_;
};

}  // namespace torvane
