#pragma once

#include "config/configuration_set.h"
#include "transponder/carrier_id_place.h"

namespace torvane {

// "Memory Page" read as a number and limited to 1..17.
int MemoryPage(const ConfigurationSet& set);

// Where the set's layout puts the carrier ID: "Carrier ID Offset" bytes into
// "Memory Page", "Carrier ID Length" bytes long (none for a negative length).
// The bytes composed into the pages and the ledger's key are both taken here.
CarrierIdPlace LayoutPlace(const ConfigurationSet& set);

}  // namespace torvane
