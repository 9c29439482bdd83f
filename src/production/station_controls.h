#pragma once

#include "production/production_state.h"
#include "view/station_view.h"

namespace torvane {

// Enables or greys the operator controls that must rest while continuous mode
// runs. "Cont" stays usable while continuous mode is on, and in Config mode
// also while it is off, so that a run can be started again.
void EnableStationControls(StationView& view, const ProductionState& production, int configMode,
                           bool enable);

}  // namespace torvane
