#include "production/production_record_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <set>

#include "platform/regular_file.h"
#include "platform/time_stamp.h"
#include "production/production_messages.h"
#include "production/record_blocks.h"
#include "production/record_file.h"
#include "production/record_paths.h"
#include "production/record_template.h"

namespace torvane {

namespace {

RecordedPages ProductionPages(const ProductionRecord& record) {
  return RecordedPagesOf(record.hexText, record.asciiText, record.set.lockPage, [&](int i) {
    return record.pageSelected[i] == 1 && !record.pageText[i].empty();
  });
}

constexpr const char* kHeldInMemory =
    "The waiting records are held only in memory, and no transponder is programmed until they "
    "are on disk: ";

// In the column after the last page's, where a spreadsheet shows it beside the record.
constexpr const char* kRecoveredNote = "recovered: written at the start after a stop";

// Which transponder a record is of, for the operator.
std::string RecordLabel(const std::string& setName, const std::string& carrierId,
                        const std::string& stamp) {
  std::string label = "- the transponder of " + stamp + " in set \"" + setName + "\"";
  if (!carrierId.empty()) label += ", carrier ID " + carrierId;
  return label;
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
    // An append a stop cut short is finished or undone before anything else.
    const Result<UnfinishedAppend> unfinished =
        FinishUnfinishedAppend(FileInFolder(workingDirectory_, kRecordAppendJournal));
    if (!unfinished.ok()) reasons += unfinished.error + "\r\n";
    waiting_.emplace(FileInFolder(workingDirectory_, kWaitingRecordsFile));
    const Status loaded = waiting_->Load();
    if (!loaded.ok()) reasons += loaded.error + "\r\n";
    if (unfinished.value.completed) DropWritten(unfinished.value.path, reasons);
  }
  return *waiting_;
}

void ProductionRecordFile::DropWritten(const std::string& path, std::string& reasons) {
  std::vector<WaitingRecord>& records = waiting_->records();
  const auto written = std::remove_if(records.begin(), records.end(),
                                      [&](const WaitingRecord& r) { return r.path == path; });
  if (written == records.end()) return;
  records.erase(written, records.end());
  if (const Status saved = waiting_->Save(); !saved.ok()) reasons += saved.error + "\r\n";
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
  const std::string path = RecordPath(record.set);
  const std::string stamp = timeStamp_();
  waiting.records().push_back(
      {path, headerPending, ProductionHeaderBlock(record.setName, record.set),
       RecordRows().Record(stamp, record.uidText, ProductionPages(record)).text(),
       RecordLabel(record.setName, record.set.carrierId, stamp), false});
  // The header block travels with its record from here on.
  headerPending = false;

  const std::map<std::string, std::string> failed = WriteWaitingRecords();
  if (const auto own = failed.find(path); own != failed.end()) reasons += own->second + "\r\n";
  if (waitedBefore || !waiting.records().empty()) {
    if (const Status saved = waiting.Save(); !saved.ok()) {
      reasons += std::string(kHeldInMemory) + saved.error + "\r\n";
    }
  }
  if (reasons.empty()) {
    failureMessage_.clear();
    return Status::Success();
  }
  failureMessage_ = WaitingMessage(reasons, waitingCount());
  return Status::Failure(failureMessage_);
}

Status ProductionRecordFile::EnsureRecordsOnDisk() {
  if (RecordsOnlyInMemory().empty()) return Status::Success();
  WriteWaitingRecords();
  const Status saved = waiting_->Save();
  const std::vector<std::string> held = RecordsOnlyInMemory();
  if (held.empty()) return Status::Success();
  std::string message =
      "No transponder is programmed while production records are held only in memory: neither "
      "their record file nor the file of waiting records takes them.\r\n";
  for (const std::string& label : held) message += label + "\r\n";
  return Status::Failure(message + saved.error);
}

RecordInFlight ProductionRecordFile::RecordToCome(const ProductionRecord& record,
                                                  bool headerPending) {
  RecordInFlight toCome;
  toCome.file = RecordPath(record.set);
  struct stat info {};
  if (stat(toCome.file.c_str(), &info) == 0)
    toCome.fileSize = static_cast<std::size_t>(info.st_size);
  toCome.headerDue = headerPending;
  toCome.stamp = timeStamp_();
  toCome.pages = ProductionPages(record);
  return toCome;
}

Result<bool> ProductionRecordFile::OnDisk(const RecordInFlight& record) {
  std::string reasons;
  const WaitingRecords& waiting = Waiting(reasons);
  if (!reasons.empty()) return Result<bool>::Failure(reasons);
  const std::string cells = RecordRows::HexPageCells(record.pages);
  for (const WaitingRecord& other : waiting.records()) {
    if (other.path == record.file && other.rows.find(cells) != std::string::npos) {
      return Result<bool>::Success(true);
    }
  }
  const Result<std::optional<std::string>> text = ReadRegularFileIfPresent(record.file);
  if (!text.ok()) return Result<bool>::Failure(text.error);
  if (!text.value) return Result<bool>::Success(false);
  const std::size_t closing = RecordClosingLines().size();
  const std::size_t from = record.fileSize > closing ? record.fileSize - closing : 0;
  return Result<bool>::Success(from <= text.value->size() &&
                               text.value->find(cells, from) != std::string::npos);
}

Result<bool> ProductionRecordFile::Recover(const InFlightEntry& entry, const std::string& uid,
                                           const std::string& header) {
  const RecordInFlight& record = entry.record;
  const Result<bool> onDisk = OnDisk(record);
  if (!onDisk.ok() || onDisk.value) return Result<bool>{false, onDisk.error};
  const std::string rows =
      RecordRows().Record(record.stamp, uid, record.pages, kRecoveredNote).text();
  waiting_->records().push_back({record.file, record.headerDue, header, rows,
                                 RecordLabel(entry.setName, entry.carrierId, record.stamp), false});
  WriteWaitingRecords();
  const Status saved = waiting_->Save();
  if (!saved.ok()) return Result<bool>::Failure(std::string(kHeldInMemory) + saved.error);
  return Result<bool>::Success(true);
}

std::vector<std::string> ProductionRecordFile::RecordsOnlyInMemory() const {
  std::vector<std::string> held;
  if (!waiting_) return held;
  for (const WaitingRecord& record : waiting_->records()) {
    if (!record.onDisk) held.push_back(record.label);
  }
  return held;
}

std::map<std::string, std::string> ProductionRecordFile::WriteWaitingRecords() {
  std::vector<WaitingRecord>& records = waiting_->records();
  std::set<std::string> tried;
  std::set<std::size_t> written;
  std::map<std::string, std::string> reasons;
  for (const WaitingRecord& first : records) {
    if (!tried.insert(first.path).second) continue;
    std::vector<std::size_t> ofFile;
    for (std::size_t i = 0; i < records.size(); ++i) {
      if (records[i].path == first.path) ofFile.push_back(i);
    }
    const Status status = AppendToRecordFile(
        first.path, kProductionRecordColumns,
        [&](bool fileIsNew) {
          std::string rows;
          for (const std::size_t i : ofFile) {
            const bool header = records[i].headerDue || (fileIsNew && i == ofFile.front());
            if (header) rows += records[i].header;
            rows += records[i].rows;
          }
          return rows;
        },
        FileInFolder(workingDirectory_, kRecordAppendJournal));
    if (status.ok()) {
      written.insert(ofFile.begin(), ofFile.end());
    } else {
      reasons[first.path] = status.error;
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
