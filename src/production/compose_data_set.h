#pragma once

#include <string_view>

#include "production/production_context.h"

namespace torvane {

// Places the carrier ID, "0" in front up to "Carrier ID Length" characters,
// one character per byte from "Carrier ID Offset" of "Memory Page" on, into
// the set's page bytes, and shows every page it touches.
void ComposeDataSet(ProductionContext& context, std::string_view carrierId);
// The same with the set's decimal counter.
void ComposeCounterDataSet(ProductionContext& context);

}  // namespace torvane
