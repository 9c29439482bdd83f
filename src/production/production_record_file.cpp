#include "production/production_record_file.h"

#include <set>

#include "platform/time_stamp.h"
#include "production/record_blocks.h"
#include "production/record_file.h"
#include "production/record_paths.h"
#include "production/record_template.h"
#include "res/station_strings.h"

namespace torvane {

namespace {

RecordedPages ProductionPages(const ProductionRecord& record) {
  return RecordedPagesOf(record.hexText, record.asciiText, record.set.lockPage, [&](int i) {
    return record.pageSelected[i] == 1 && !record.pageText[i].empty();
  });
}

std::string WaitingMessage(const std::string& reasons, std::size_t count) {
  std::string message = std::string(text::kRecordFileFailure) + "\r\n\r\n" + reasons;
  message += std::to_string(count) + (count == 1 ? " record waits" : " records wait");
  message += " for the record file; they are written in front of the next record it takes.";
  return message;
}

}  // namespace

ProductionRecordFile::ProductionRecordFile(const std::string& workingDirectory,
                                           std::function<std::string()> timeStamp)
    : workingDirectory_(workingDirectory),
      timeStamp_(timeStamp ? std::move(timeStamp) : CurrentTimeStamp) {}

WaitingRecords& ProductionRecordFile::Waiting(std::string& reasons) {
  if (!waiting_) {
    waiting_.emplace(FileInFolder(workingDirectory_, kWaitingRecordsFile));
    const Status loaded = waiting_->Load();
    if (!loaded.ok()) reasons += loaded.error + "\r\n";
  }
  return *waiting_;
}

std::string ProductionRecordFile::RecordPath(const ConfigurationSet& set) const {
  return set.logFile.empty() ? FileInFolder(workingDirectory_, kDefaultProductionRecordFile)
                             : set.logFile;
}

Status ProductionRecordFile::AppendProductionRecord(const ProductionRecord& record,
                                                    bool& headerPending) {
  std::string reasons;
  WaitingRecords& waiting = Waiting(reasons);
  const bool waitedBefore = !waiting.records().empty();
  waiting.records().push_back(
      {RecordPath(record.set), headerPending, ProductionHeaderBlock(record.setName, record.set),
       RecordRows()
           .Record(timeStamp_(), record.quorvi ? record.uidText : "", ProductionPages(record))
           .text()});
  // The header block travels with its record from here on.
  headerPending = false;

  reasons += WriteWaitingRecords();
  if (waitedBefore || !waiting.records().empty()) {
    const Status saved = waiting.Save();
    if (!saved.ok())
      reasons +=
          "The waiting records are kept only until the station ends: " + saved.error + "\r\n";
  }
  if (reasons.empty()) {
    failureMessage_.clear();
    return Status::Success();
  }
  failureMessage_ = WaitingMessage(reasons, waitingCount());
  return Status::Failure(failureMessage_);
}

std::string ProductionRecordFile::WriteWaitingRecords() {
  std::vector<WaitingRecord>& records = waiting_->records();
  std::set<std::string> tried;
  std::set<std::size_t> written;
  std::string reasons;
  for (const WaitingRecord& first : records) {
    if (!tried.insert(first.path).second) continue;
    std::vector<std::size_t> ofFile;
    for (std::size_t i = 0; i < records.size(); ++i) {
      if (records[i].path == first.path) ofFile.push_back(i);
    }
    const Status status =
        AppendToRecordFile(first.path, kProductionRecordColumns, [&](bool fileIsNew) {
          std::string rows;
          for (const std::size_t i : ofFile) {
            const bool header = records[i].headerDue || (fileIsNew && i == ofFile.front());
            if (header) rows += records[i].header;
            rows += records[i].rows;
          }
          return rows;
        });
    if (status.ok()) {
      written.insert(ofFile.begin(), ofFile.end());
    } else {
      reasons += status.error + "\r\n";
    }
  }
  std::vector<WaitingRecord> left;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (!written.contains(i)) left.push_back(std::move(records[i]));
  }
  records = std::move(left);
  return reasons;
}

}  // namespace torvane
