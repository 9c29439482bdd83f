#include "production/decimal_counter_source.h"

#include <algorithm>

#include "platform/decimal_text.h"
#include "production/compose_data_set.h"
#include "production/layout_place.h"

namespace torvane {

PrepareResult DecimalCounterSource::Prepare() {
  // The values as the members hold them from the last exchange with the window.
  const ConfigurationSet& set = context_.setInUse.set;
  const std::uint64_t next = ReadDecimal(set.carrierId);
  const std::uint64_t capacity = DecimalCapacity(ReadInteger(set.carrierIdLength));
  const std::uint64_t limit = std::min(capacity, ReadDecimal(context_.carrierIdMaxText));
  if (next > limit) return PrepareResult::CounterPassedLimit;
  ComposeCounterDataSet(context_);
  return PrepareResult::Ready;
}

Status DecimalCounterSource::Advance() {
  const std::uint64_t next = ReadDecimal(context_.setInUse.set.carrierId);
  context_.setInUse.set.carrierId = std::to_string(next + 1);
  context_.production.nextCarrierId = context_.setInUse.set.carrierId;
  return Status::Success();
}

std::optional<InFlightEntry> DecimalCounterSource::InFlight() const {
  InFlightEntry entry;
  entry.source = SourceKind::DecimalCounter;
  entry.setName = context_.setInUse.name;
  // As the transponder holds it.
  const auto length = static_cast<std::size_t>(LayoutPlace(context_.setInUse.set).length());
  entry.carrierId = CounterCarrierId(context_.setInUse.set.carrierId, length);
  return entry;
}

}  // namespace torvane
