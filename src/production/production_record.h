#pragma once

#include <string>

#include "config/configuration_set.h"
#include "platform/result.h"
#include "production/in_flight_entry.h"
#include "transponder/page_state.h"

namespace torvane {

// What a good production cycle leaves for the production record file.
struct ProductionRecord {
  std::string setName;
  ConfigurationSet set;
  PageTexts hexText;
  PageTexts asciiText;
  PageTexts pageText;
  PageFlags pageSelected{};
  std::string uidText;  // read before the first write, for either type; empty where none
};

// The one way from the production cycle to the record file.
class ProductionRecordWriter {
 public:
  virtual ~ProductionRecordWriter() = default;
  // Appends the record to the set's record file, preceded by the header block
  // while headerPending is set (cleared once the block is on disk). A failure
  // carries the operator's message.
  virtual Status AppendProductionRecord(const ProductionRecord& record, bool& headerPending) = 0;
  // Before a cycle: records of earlier cycles that are on no disk yet (neither
  // their record file nor the waiting-records file took them) are saved again;
  // a failure names the records still held only in memory.
  virtual Status EnsureRecordsOnDisk() { return Status::Success(); }
  // What the record of the transponder about to be written will hold, kept in
  // flight until the record is on disk; nothing for a writer that keeps none.
  virtual RecordInFlight RecordToCome(const ProductionRecord& /*record*/, bool /*headerPending*/) {
    return {};
  }
  // The record of a transponder that a stopped station programmed, marked as
  // recovered, unless its file or the waiting records hold it already. True when
  // it went in now; the UID is the one the ledger took, the header block the one
  // of its set.
  virtual Result<bool> Recover(const InFlightEntry& /*entry*/, const std::string& /*uid*/,
                               const std::string& /*header*/) {
    return Result<bool>::Success(false);
  }
};

}  // namespace torvane
