#pragma once

#include "ledger/station_ledger.h"
#include "view/operator_messages.h"

namespace torvane {

// The station ledger's questions (a file to create, another ledger to use) in
// a message box; anything but "Yes" keeps production stopped.
StationLedger::Consent AskOperatorAboutLedger(OperatorMessages& messages);

}  // namespace torvane
