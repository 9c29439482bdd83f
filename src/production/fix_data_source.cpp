#include "production/fix_data_source.h"

#include "platform/decimal_text.h"

namespace torvane {

PrepareResult FixDataSource::Prepare() {
  const std::uint64_t quantity = ReadDecimal(context_.setInUse.set.quantity);
  return context_.production.producedCount >= quantity ? PrepareResult::QuantityReached
                                                       : PrepareResult::Ready;
}

Status FixDataSource::Advance() {
  ++context_.production.producedCount;
  return Status::Success();
}

}  // namespace torvane
