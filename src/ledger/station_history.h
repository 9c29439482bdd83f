#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ledger/carrier_id_ledger.h"

namespace torvane {

// One transponder result as the History window lists it.
struct HistoryEntry {
  std::string carrierId;  // printable, or its bytes in hexadecimal
  std::string uid;
  std::string state;
  std::string time;  // of the last change, local
  std::string setName;
  std::string reason;  // why it is not programmed; empty when it is
};

struct HistoryFilter {
  std::optional<std::string> setName;
  std::optional<LedgerState> state;
};

// The last `limit` rows of `station`, newest change first, that pass the
// filter. `reasons` holds what this station's cycles said of a carrier ID
// (by its bytes); a row without one gets what its state means.
Result<std::vector<HistoryEntry>> StationHistory(CarrierIdLedger& ledger,
                                                 const std::string& station,
                                                 const HistoryFilter& filter, std::size_t limit,
                                                 const std::map<std::string, std::string>& reasons);

// The entries as CSV, a header line first, CR LF line ends.
std::string HistoryCsv(const std::vector<HistoryEntry>& entries);

}  // namespace torvane
