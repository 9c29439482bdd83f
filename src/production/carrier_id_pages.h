#pragma once

#include "config/configuration_set.h"
#include "production/page_steps.h"

namespace torvane {

// The pages that hold the carrier ID: pages 1 and 2, and with the decimal
// counter every page its digits reach from the set's memory page on.
PageSet CarrierIdPages(const ConfigurationSet& set);

}  // namespace torvane
