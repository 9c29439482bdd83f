#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "production/production_context.h"

namespace torvane {

enum class SpinDirection { Up, Down };

// The "next" and "max" fields: their spin controls step one up or down,
// wrapping between 0 and the largest number of "Carrier ID Length" digits; a
// value typed and confirmed (Enter, or leaving the field) is taken as it is,
// limited to that largest number.
class CarrierIdSpins {
 public:
  explicit CarrierIdSpins(ProductionContext& context) : context_(context) {}

  // The new "next" value also becomes the set's carrier ID and is composed.
  void OnNextSpin(SpinDirection direction);
  void OnMaxSpin(SpinDirection direction);
  // Text that is no number is refused with a message and the value before comes back.
  void OnNextTyped();
  void OnMaxTyped();

 private:
  std::string Stepped(const std::string& value, SpinDirection direction) const;
  std::uint64_t Capacity() const;
  // The typed value limited to the capacity; nothing, and the operator told,
  // when the text is not a number.
  std::optional<std::string> Typed(const std::string& text, const char* field);

  ProductionContext& context_;
};

}  // namespace torvane
