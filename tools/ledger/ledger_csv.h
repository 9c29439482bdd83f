#pragma once

#include <ostream>
#include <vector>

#include "ledger/ledger_row.h"

namespace torvane {

// The ledger as a CSV file that a spreadsheet opens: a header line, one line
// per carrier ID and one per rewrite, fields quoted where they must be, CR LF.
void WriteLedgerCsv(std::ostream& out, const std::vector<LedgerRow>& rows,
                    const std::vector<LedgerRewrite>& rewrites);

}  // namespace torvane
