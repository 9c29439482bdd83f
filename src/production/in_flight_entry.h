#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "ledger/ledger_row.h"
#include "production/record_rows.h"

namespace torvane {

enum class SourceKind { DecimalCounter, CsvFile, CompleteCsvFile, FixData };

// What the production record of a cycle needs, on disk before the first page
// write: a stop before the record is on disk leaves it to the next start.
struct RecordInFlight {
  std::string file;  // empty when the set keeps no record
  // The file's size before the cycle: its record can only be behind it.
  std::size_t fileSize = 0;
  // The header block goes with it; a start makes it from the set.
  bool headerDue = false;
  std::string stamp;
  RecordedPages pages;

  bool operator==(const RecordInFlight&) const = default;
};

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
  // Lines of that file marked done by earlier cycles whose marks the file does
  // not hold yet: a long file is rewritten only every so many marks.
  struct UnsavedLine {
    std::size_t lineIndex = 0;
    std::string carrierId;
    bool operator==(const UnsavedLine&) const = default;
  };
  std::vector<UnsavedLine> unsavedLines;
  // The carrier ID's bytes as the ledger holds them.
  std::string ledgerId;
  // The transponder's, read before the first write; empty where the reader gave none.
  std::string uid;
  // Of the station process that claimed the carrier ID: its row is the one to settle.
  std::string token;
  // A state the ledger could not take when the cycle ended.
  std::optional<LedgerState> unmarked;
  RecordInFlight record;

  bool operator==(const InFlightEntry&) const = default;
};

}  // namespace torvane
