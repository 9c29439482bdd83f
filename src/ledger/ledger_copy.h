#pragma once

#include <cstddef>
#include <vector>

#include "ledger/carrier_id_ledger.h"
#include "ledger/postgres_ledger.h"

namespace torvane {

// A carrier ID that both ledgers hold for different transponders or cycles:
// the copy leaves the shared ledger's row as it is.
struct LedgerConflict {
  LedgerRow station;  // the row in the station's own ledger
  LedgerRow shared;   // the row the shared ledger keeps
};

struct LedgerCopyReport {
  std::size_t copied = 0;
  std::size_t alreadyThere = 0;  // the same rows, from an earlier copy
  std::size_t rewritesCopied = 0;
  std::vector<LedgerConflict> conflicts;
};

// Copies every row and rewrite of a station's ledger into the shared one, when
// the station joins the shared range. Nothing in the shared ledger is changed;
// running it again copies only what is missing.
Result<LedgerCopyReport> CopyLedgerInto(CarrierIdLedger& from, PostgresLedger& into);

}  // namespace torvane
