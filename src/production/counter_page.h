#pragma once

#include <string>

#include "production/production_context.h"

namespace torvane {

// Writes the set's "Counter Value", "0" in front up to 8 characters, as the 8
// bytes of its "Counter Page" (3 to 17); any other page text leaves the pages alone.
void PlaceCounterPage(ProductionContext& context);

// The counter value after a good transponder: one more, 00000000 after 99999999.
std::string NextCounterValue(const std::string& counterValue);

}  // namespace torvane
