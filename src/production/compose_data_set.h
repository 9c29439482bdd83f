#pragma once

#include "production/production_context.h"

namespace torvane {

// Places the set's carrier ID, "0" in front up to "Carrier ID Length"
// characters, one character per byte from "Carrier ID Offset" of "Memory Page"
// on, into the set's page bytes, and shows every page it touches.
void ComposeDataSet(ProductionContext& context);

// "Memory Page" read as a number and limited to 1..17.
int MemoryPage(const ConfigurationSet& set);

}  // namespace torvane
