#pragma once

#include "app/main_window_requests.h"
#include "app/station_state.h"
#include "config/config_dialog_state.h"

namespace torvane {

// What the main window hands the configuration dialog: the set in use with the
// next carrier ID as its carrier ID, the set list, the working directory and
// the display form. The dialog's own load then replaces all but the carrier ID
// and the counter value from the set file.
ConfigDialogState ConfigDialogHandOver(const StationState& state);

// Takes the dialog's set over after "OK": it becomes the set in use, its carrier
// ID the next one (for a decimal counter see CounterTakenOver); after a good "Save" the work
// order's last carrier ID is set and the count of produced transponders starts again. The next
// record starts with a header, and the first page to edit gets the focus at the next tick.
void TakeOverConfiguration(const ConfigDialogState& dialog, StationState& state,
                           DeferredRequests& requests);

// The carrier ID a decimal counter set goes on from when it is taken over: the
// running value of the window when it is a number not below the one the set
// file holds, else the set file's own (a CSV set's carrier ID, or a value the
// set has written already, never becomes its counter).
std::string CounterTakenOver(const std::string& running, const std::string& workingDirectory,
                             const std::string& setName);

// next + quantity - 1, or empty when the quantity is 0 and nothing may be
// produced below the first carrier ID; a sum past the 64-bit range is its limit.
std::string LastCarrierIdOfWorkOrder(const std::string& nextCarrierId, const std::string& quantity);

}  // namespace torvane
