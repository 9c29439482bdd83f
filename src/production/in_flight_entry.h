#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "ledger/ledger_row.h"

namespace torvane {

enum class SourceKind { DecimalCounter, CsvFile, CompleteCsvFile, FixData };

// The carrier ID that a cycle is writing, kept on disk from before the first
// page write until its source has moved past it: a station stopped in between
// must treat it as used.
struct InFlightEntry {
  SourceKind source = SourceKind::DecimalCounter;
  std::string setName;
  std::string carrierId;
  // CSV sources: the file, its delimiter and the line that holds the carrier ID.
  std::string csvFile;
  std::string delimiter;
  std::size_t lineIndex = 0;
  // The carrier ID's bytes as the ledger holds them.
  std::string ledgerId;
  // The transponder's, read before the first write; empty where the reader gave none.
  std::string uid;
  // Of the station process that claimed the carrier ID: its row is the one to settle.
  std::string token;
  // A state the ledger could not take when the cycle ended.
  std::optional<LedgerState> unmarked;

  bool operator==(const InFlightEntry&) const = default;
};

}  // namespace torvane
