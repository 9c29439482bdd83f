#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace torvane {

// Milliseconds since the Unix epoch, UTC.
using LedgerTime = std::chrono::sys_time<std::chrono::milliseconds>;

// How the stores keep a time: a whole number of milliseconds.
inline std::int64_t ToMillis(LedgerTime time) {
  return time.time_since_epoch().count();
}
inline LedgerTime FromMillis(std::int64_t ms) {
  return LedgerTime(std::chrono::milliseconds(ms));
}

// Reserved: held for a cycle or a manual write; pages are written while it is.
// Written: a page that holds it may be on a transponder, after a failed cycle
// (finished only on that transponder) or an acknowledged manual write.
// Programmed: written and locked by a cycle; its record comes after the mark.
// Spent: a page that holds it may be on a transponder that nothing finishes (a
// failed manual write, a failed cycle's ID met on another transponder, a
// stopped station's ID in flight); it is never given out again.
enum class LedgerState { Reserved, Written, Programmed, Spent };

enum class LedgerSourceKind { DecimalCounter, CsvFile, CompleteCsvFile, FixData, Manual };

// Where a carrier ID came from: the counter value, or the CSV file and its line
// (0 is the header line).
struct LedgerSource {
  LedgerSourceKind kind = LedgerSourceKind::DecimalCounter;
  std::string counterValue;
  std::string file;
  std::uint64_t line = 0;

  bool operator==(const LedgerSource&) const = default;
};

// What a station asks the ledger for.
struct LedgerClaim {
  std::string carrierId;  // the bytes of its field, as they land in the transponder
  std::string setName;
  LedgerSource source;
  std::string uid;  // empty where the reader gave none
  std::string station;
  // Of the station process that claimed it: its own rows are the ones it may
  // finish, whatever another process of the same station name does.
  std::string token;

  bool operator==(const LedgerClaim&) const = default;
};

// One carrier ID as the ledger holds it.
struct LedgerRow : LedgerClaim {
  LedgerState state = LedgerState::Reserved;
  LedgerTime reservedAt{};
  LedgerTime changedAt{};  // of the last state or UID change
};

// A carrier ID written again on purpose (manual write, fix data): noted, not refused.
struct LedgerRewrite : LedgerClaim {
  LedgerTime time{};
};

// The words the stores keep in their tables and the lookup program prints.
std::string_view LedgerStateName(LedgerState state);
std::optional<LedgerState> LedgerStateNamed(std::string_view name);
std::string_view LedgerSourceKindName(LedgerSourceKind kind);
std::optional<LedgerSourceKind> LedgerSourceKindNamed(std::string_view name);

// The source in one line: "counter 42", "csv file /w/ids.csv line 7", "fix data".
std::string DescribeLedgerSource(const LedgerSource& source);
// Local time, "2026-12-08 15:20:01".
std::string FormatLedgerTime(LedgerTime time);
// The carrier ID as text when every byte prints, else its bytes in hexadecimal.
std::string PrintableCarrierId(std::string_view carrierId);

}  // namespace torvane
