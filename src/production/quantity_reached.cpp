#include "production/quantity_reached.h"

#include "platform/decimal_text.h"
#include "production/production_messages.h"

namespace torvane {

std::string QuantityReachedMessage(const ProductionContext& context) {
  const ConfigurationSet& set = context.setInUse.set;
  std::string why;
  if (!set.sourceDecimalCounter) {
    why = "The set's quantity of " + std::to_string(ReadDecimal(set.quantity)) +
          " transponders is made. For more, raise \"Quantity\" in \"Config\", then \"Save\" and "
          "\"OK\".";
  } else if (context.carrierIdMaxText.empty()) {
    why =
        "\"max\" is empty, so no carrier ID may be made. Type the last carrier ID of the work "
        "order into \"max\" and press Enter, or \"Save\" the set in \"Config\" to set it from "
        "its quantity.";
  } else {
    const std::uint64_t next = ReadDecimal(set.carrierId);
    const long long length = ReadInteger(set.carrierIdLength);
    if (next > DecimalCapacity(length)) {
      why = "The next carrier ID " + std::to_string(next) + " has more than " +
            std::to_string(length) + " digits, the set's \"Carrier ID Length\".";
    } else {
      why = "The next carrier ID " + std::to_string(next) + " is above \"max\" " +
            context.carrierIdMaxText +
            ": the work order is done. For more, type a larger \"max\" and press Enter, or "
            "start the next work order in \"Config\".";
    }
  }
  return std::string(text::kQuantityReached) + "\r\n" + why;
}

}  // namespace torvane
