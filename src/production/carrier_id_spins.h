#pragma once

#include "production/production_context.h"

namespace torvane {

enum class SpinDirection { Up, Down };

// The spin controls beside "next" and "max": one step up or down, wrapping
// between 0 and the largest number of "Carrier ID Length" digits.
class CarrierIdSpins {
 public:
  explicit CarrierIdSpins(ProductionContext& context) : context_(context) {}

  // The new "next" value also becomes the set's carrier ID and is composed.
  void OnNextSpin(SpinDirection direction);
  void OnMaxSpin(SpinDirection direction);

 private:
  std::string Stepped(const std::string& value, SpinDirection direction) const;

  ProductionContext& context_;
};

}  // namespace torvane
