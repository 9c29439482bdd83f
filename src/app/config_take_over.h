#pragma once

#include "app/station_state.h"
#include "app/vexa_dlg_requests.h"
#include "config/config_dialog_state.h"

namespace torvane {

// What the main window hands the configuration dialog: the set in use with the
// next carrier ID as its carrier ID, the set list, the working directory and
// the display form. The dialog's own load then replaces all but the carrier ID
// and the counter value from the set file.
ConfigDialogState ConfigDialogHandOver(const StationState& state);

// Takes the dialog's set over after "OK": it becomes the set in use, its carrier
// ID the next one; after a good "Save" the work order's last carrier ID is set
// and the count of produced transponders starts again. The next record starts
// with a header, and the first page to edit gets the focus at the next tick.
void TakeOverConfiguration(const ConfigDialogState& dialog, StationState& state,
                           DeferredRequests& requests);

// next + quantity - 1, or empty when the quantity is 0 and nothing may be
// produced below the first carrier ID; a sum past the 64-bit range is its limit.
std::string LastCarrierIdOfWorkOrder(const std::string& nextCarrierId, const std::string& quantity);

}  // namespace torvane
