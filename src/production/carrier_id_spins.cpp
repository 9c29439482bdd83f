#include "production/carrier_id_spins.h"

#include "config/decimal_text.h"
#include "platform/decimal_text.h"
#include "production/compose_data_set.h"

namespace torvane {

std::string CarrierIdSpins::Stepped(const std::string& value, SpinDirection direction) const {
  const std::uint64_t v = ReadDecimal(value);
  const std::uint64_t capacity =
      DecimalCapacity(ReadInteger(context_.setInUse.set.carrierIdLength));
  if (direction == SpinDirection::Up) return std::to_string(v >= capacity ? 0 : v + 1);
  return std::to_string(v == 0 ? capacity : v - 1);
}

void CarrierIdSpins::OnNextSpin(SpinDirection direction) {
  context_.view.TakeFieldValues();
  context_.production.nextCarrierId = Stepped(context_.production.nextCarrierId, direction);
  context_.setInUse.set.carrierId = context_.production.nextCarrierId;
  context_.view.ShowFieldValues();
  ComposeCounterDataSet(context_);
}

void CarrierIdSpins::OnMaxSpin(SpinDirection direction) {
  context_.view.TakeFieldValues();
  context_.carrierIdMaxText = Stepped(context_.carrierIdMaxText, direction);
  context_.view.ShowFieldValues();
}

}  // namespace torvane
