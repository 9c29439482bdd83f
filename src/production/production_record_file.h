#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "production/production_record.h"
#include "production/waiting_records.h"

namespace torvane {

// The production record file. A record that its file does not take (missing
// folder, no permission, disk full, not a record file) is not lost: it waits in
// the working directory, also across a restart, and goes into its file in front
// of the next record that file takes.
class ProductionRecordFile : public ProductionRecordWriter {
 public:
  // The working directory is read at the first append: the window learns it only
  // when it starts.
  explicit ProductionRecordFile(const std::string& workingDirectory,
                                std::function<std::string()> timeStamp = nullptr);

  // Fails only when this record is not in its own file: records waiting for
  // another file do not hold it back.
  Status AppendProductionRecord(const ProductionRecord& record, bool& headerPending) override;
  Status EnsureRecordsOnDisk() override;
  RecordInFlight RecordToCome(const ProductionRecord& record, bool headerPending) override;
  Result<bool> Recover(const InFlightEntry& entry, const std::string& uid,
                       const std::string& header) override;
  // The records that a station ending now would lose, each named for the operator.
  std::vector<std::string> RecordsOnlyInMemory() const;

  // The record file of a set: its "file name", or the default in the working directory.
  std::string RecordPath(const ConfigurationSet& set) const;
  std::size_t waitingCount() const { return waiting_ ? waiting_->records().size() : 0; }
  // The operator's message of the last append, empty when it went well.
  const std::string& failureMessage() const { return failureMessage_; }

 private:
  // Tries every waiting record, each file with its records in one append; returns
  // what went wrong, by file.
  std::map<std::string, std::string> WriteWaitingRecords();
  // The records waiting from earlier appends and runs; a failure to read them
  // goes into `reasons`.
  WaitingRecords& Waiting(std::string& reasons);
  // The waiting records of a file whose append all of them went into, though the
  // stop came before the waiting records were saved without them.
  void DropWritten(const std::string& path, std::string& reasons);
  // Whether the waiting records or the record file behind its size then hold it.
  Result<bool> OnDisk(const RecordInFlight& record);

  const std::string& workingDirectory_;
  std::function<std::string()> timeStamp_;
  std::optional<WaitingRecords> waiting_;
  std::string failureMessage_;
};

}  // namespace torvane
