#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace torvane {

// torvane-ledger: looks carrier IDs up in the station's ledger, lists a set or
// a time range, and exports the ledger as CSV. Returns the exit code: 0 done,
// 1 the ledger failed or holds no such ID, 2 the command line is wrong.
int RunLedgerTool(const std::vector<std::string>& arguments, const std::string& workingDirectory,
                  std::ostream& out, std::ostream& err);

}  // namespace torvane
