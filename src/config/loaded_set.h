#pragma once

#include "config/configuration_set.h"

namespace torvane {

// What the configuration dialog makes of a set it has read, before it shows
// it, so that the set it shows is the set it saves: the carrier ID is locked
// only with the decimal counter, exactly one transponder type is set (TI unless
// Quorvi), and a counter page or alignment that its list does not hold, a
// missing one too, is "None".
void FitLoadedSetToDialog(ConfigurationSet& set);

}  // namespace torvane
