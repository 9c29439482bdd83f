#include "production/outcome_tally.h"

#include <algorithm>

#include "platform/decimal_text.h"

namespace torvane {

void OutcomeTally::Count(const CycleOutcome& outcome) {
  for (OutcomeCounts* counts : {&run_, &set_}) {
    if (outcome.programmed) {
      ++counts->good;
    } else if (outcome.attempted) {
      ++counts->failed;
    }
  }
}

std::optional<std::uint64_t> RemainingCount(const ProductionContext& context) {
  const ConfigurationSet& set = context.setInUse.set;
  if (set.sourceCsv || set.sourceCsvComplete) return std::nullopt;
  if (set.sourceDecimalCounter) {
    const std::uint64_t next = ReadDecimal(set.carrierId);
    const std::uint64_t limit = std::min(DecimalCapacity(ReadInteger(set.carrierIdLength)),
                                         ReadDecimal(context.carrierIdMaxText));
    if (next > limit) return 0;
    // 0 to the largest 64-bit number is one more than 64 bits hold.
    return limit - next == UINT64_MAX ? UINT64_MAX : limit - next + 1;
  }
  const std::uint64_t quantity = ReadDecimal(set.quantity);
  const std::uint64_t produced = context.production.producedCount;
  return quantity > produced ? quantity - produced : 0;
}

}  // namespace torvane
