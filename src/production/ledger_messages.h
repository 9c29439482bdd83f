#pragma once

#include <string>
#include <vector>

#include "ledger/ledger_row.h"

namespace torvane {

// What the operator is told about carrier IDs that the ledger holds.

// The carrier ID, its state, when, set, station and UID, in one sentence.
std::string DescribeLedgerRow(const LedgerRow& row);
// A cycle stopped before any write because the ID is taken.
std::string RefusedCarrierIdMessage(const LedgerRow& row);
// Asked before a manual write of an ID the ledger holds.
std::string RewriteCarrierIdQuestion(const LedgerRow& row);
// A failed cycle's ID was not on the transponder now on the antenna.
std::string SpentCarrierIdMessage(const LedgerRow& row);
// Neither a UID nor the carrier-ID pages could be read to tell which
// transponder lies on the antenna after a failed cycle.
std::string UnidentifiedTransponderMessage(const LedgerRow& row);
// The transponder on the antenna holds a carrier ID the ledger knows: it is not
// written. The message box, and the status line of a continuous run.
std::string KnownTransponderMessage(const LedgerRow& row);
std::string KnownTransponderNote(const LedgerRow& row);
// Carrier IDs that other stations of a shared ledger hold, passed over; empty
// for none.
std::string SkippedCarrierIdsNote(const std::vector<LedgerRow>& rows);
// The ledger could not reserve or note the carrier ID: nothing was written.
std::string LedgerUnusableMessage(const std::string& reason);
// Follows a write or lock error of a cycle that had reserved the ID.
std::string MayHoldCarrierId(const std::string& carrierId);

}  // namespace torvane
