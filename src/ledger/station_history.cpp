#include "ledger/station_history.h"

#include <algorithm>

#include "ledger/csv_field.h"

namespace torvane {

namespace {

std::string StateMeaning(LedgerState state) {
  switch (state) {
    case LedgerState::Reserved:
      return "reserved: the cycle ended before a page was written";
    case LedgerState::Written:
      return "not programmed: a cycle failed after its pages were written; it is written again "
             "only to the same transponder";
    case LedgerState::Spent:
      return "spent: a cycle failed and the ID may be on a transponder; never given out again";
    case LedgerState::Programmed:
      break;
  }
  return {};
}

}  // namespace

Result<std::vector<HistoryEntry>> StationHistory(
    CarrierIdLedger& ledger, const std::string& station, const HistoryFilter& filter,
    std::size_t limit, const std::map<std::string, std::string>& reasons) {
  using Entries = Result<std::vector<HistoryEntry>>;
  LedgerQuery query;
  query.setName = filter.setName;
  Result<std::vector<LedgerRow>> rows = ledger.List(query);
  if (!rows.ok()) return Entries::Failure(rows.error);
  std::vector<LedgerRow> own;
  for (LedgerRow& row : rows.value) {
    if (row.station != station) continue;
    if (filter.state && row.state != *filter.state) continue;
    own.push_back(std::move(row));
  }
  // Rows changed in the same millisecond keep the newer reservation first.
  std::reverse(own.begin(), own.end());
  std::stable_sort(own.begin(), own.end(), [](const LedgerRow& a, const LedgerRow& b) {
    return a.changedAt > b.changedAt;
  });
  if (own.size() > limit) own.resize(limit);
  std::vector<HistoryEntry> entries;
  for (const LedgerRow& row : own) {
    HistoryEntry entry;
    entry.carrierId = PrintableCarrierId(row.carrierId);
    entry.uid = row.uid;
    entry.state = std::string(LedgerStateName(row.state));
    entry.time = FormatLedgerTime(row.changedAt);
    entry.setName = row.setName;
    if (row.state != LedgerState::Programmed) {
      const auto said = reasons.find(row.carrierId);
      entry.reason = said != reasons.end() ? said->second : StateMeaning(row.state);
    }
    entries.push_back(std::move(entry));
  }
  return Entries::Success(std::move(entries));
}

std::string HistoryCsv(const std::vector<HistoryEntry>& entries) {
  std::string csv = "carrier ID,UID,state,time,set,reason\r\n";
  for (const HistoryEntry& entry : entries) {
    for (const std::string* field :
         {&entry.carrierId, &entry.uid, &entry.state, &entry.time, &entry.setName}) {
      csv += CsvField(*field) + ",";
    }
    csv += CsvField(entry.reason) + "\r\n";
  }
  return csv;
}

}  // namespace torvane
