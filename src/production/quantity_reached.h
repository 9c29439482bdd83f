#pragma once

#include <string>

#include "production/production_context.h"

namespace torvane {

// "Quantity reached.", then why the set in use makes no more and what the
// operator does to make more.
std::string QuantityReachedMessage(const ProductionContext& context);

}  // namespace torvane
