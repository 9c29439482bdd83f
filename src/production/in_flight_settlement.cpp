#include "production/in_flight_settlement.h"

#include "platform/decimal_text.h"
#include "production/complete_row.h"
#include "production/csv_source_file.h"
#include "production/set_counters_file.h"

namespace torvane {

Status InFlightSettlement::Record(const InFlightEntry& entry) const {
  return file().Write(entry);
}

Status InFlightSettlement::Clear() const {
  return file().Clear();
}

Result<std::optional<InFlightEntry>> InFlightSettlement::Settle() const {
  using Settled = Result<std::optional<InFlightEntry>>;
  const Result<std::optional<InFlightEntry>> found = file().Read();
  if (!found.ok()) return Settled::Failure(found.error);
  if (!found.value) return Settled::Success(std::nullopt);
  const InFlightEntry& entry = *found.value;
  const Result<bool> moved =
      entry.source == SourceKind::DecimalCounter ? MoveCounterPast(entry) : MarkLinePast(entry);
  // The entry goes with the failure, so the operator can be told what to do.
  if (!moved.ok()) return Settled{found.value, moved.error};
  // The record stays: settled, it only repeats a step already taken.
  return Settled::Success(moved.value ? found.value : std::nullopt);
}

Result<bool> InFlightSettlement::MoveCounterPast(const InFlightEntry& entry) const {
  using Moved = Result<bool>;
  const std::uint64_t next = ReadDecimal(entry.carrierId) + 1;
  const Result<SetCounters> stored = ReadSetCounters(context_.workingDirectory, entry.setName);
  if (!stored.ok()) return Moved::Failure(stored.error);
  SetCounters settled{std::to_string(next), stored.value.counterValue};
  if (entry.setName == context_.setInUse.name) {
    ConfigurationSet& set = context_.setInUse.set;
    if (ReadDecimal(set.carrierId) < next) {
      set.carrierId = std::to_string(next);
      context_.production.nextCarrierId = set.carrierId;
    }
    // What memory holds has moved on since the file was last saved, if at all.
    settled = {set.carrierId, set.counterValue};
  }
  const bool moved = ReadDecimal(stored.value.carrierId) < next;
  if (!moved && settled.counterValue == stored.value.counterValue) return Moved::Success(false);
  const Status saved = SaveSetCounters(context_.workingDirectory, entry.setName, settled);
  if (!saved.ok()) return Moved::Failure(saved.error);
  return Moved::Success(moved);
}

Result<bool> InFlightSettlement::MarkLinePast(const InFlightEntry& entry) const {
  const bool complete = entry.source == SourceKind::CompleteCsvFile;
  const auto lineOf = [&](std::size_t index, const std::string& carrierId) {
    return CsvLineRef{index, carrierId, complete ? CompleteRow::kCarrierIdField : 0,
                      complete ? CompleteRow::kDoneField : 1};
  };
  std::vector<CsvLineRef> earlier;
  for (const InFlightEntry::UnsavedLine& unsaved : entry.unsavedLines) {
    earlier.push_back(lineOf(unsaved.lineIndex, unsaved.carrierId));
  }
  return MarkCsvLineDone(entry.csvFile, entry.delimiter, lineOf(entry.lineIndex, entry.carrierId),
                         earlier);
}

std::string InFlightSettlement::RestartMessage(const InFlightEntry& entry) {
  return "The station was stopped while it was writing carrier ID " + entry.carrierId +
         " (configuration set \"" + entry.setName +
         "\").\r\nThat carrier ID counts as used and will not be written again.\r\nCheck the "
         "transponder of that cycle: it may hold the carrier ID without a production record.";
}

std::string InFlightSettlement::RecoveredMessage(const InFlightEntry& entry) {
  return "The station was stopped after it had programmed the transponder with carrier ID " +
         entry.carrierId + " (configuration set \"" + entry.setName +
         "\") and before its production record was on disk.\r\nThe record was written now, "
         "marked as recovered, into " +
         entry.record.file + ".";
}

std::string InFlightSettlement::RecordNotRecoveredMessage(const std::string& reason,
                                                          const InFlightEntry& entry) {
  return "The production record of the transponder with carrier ID " + entry.carrierId +
         ", programmed before the station was stopped, is not on disk yet:\r\n" + reason +
         "\r\nNo transponder is written until it is. It stays in the file " +
         std::string(InFlightFile::kFileName) + " of the working directory.";
}

std::string InFlightSettlement::HeldAtEndMessage(const std::string& held, bool kept) {
  std::string message = "Torvane ends with production records held only in memory.\n" + held;
  if (kept) {
    message += "\nThe last one stays in the file " + std::string(InFlightFile::kFileName) +
               " of the working directory: the next start writes it into its record file, "
               "marked as recovered.";
  } else {
    message += "\nThey are lost.";
  }
  return message;
}

std::string InFlightSettlement::MarksHeldAtEndMessage(const std::string& reason) {
  return "Torvane ends with done marks of CSV lines held only in memory.\n" + reason +
         "\nThe file " + std::string(InFlightFile::kFileName) +
         " of the working directory names the lines: the next start marks them.";
}

std::string InFlightSettlement::UnsettledMessage(const std::string& reason,
                                                 const std::optional<InFlightEntry>& entry) {
  std::string step = "Mark it done by hand";
  if (entry && entry->source == SourceKind::DecimalCounter) {
    step = "Make the file of configuration set \"" + entry->setName +
           "\" writable, or set its \"Carrier ID\" past " + entry->carrierId + " by hand";
  } else if (entry) {
    step = "Mark line " + std::to_string(entry->lineIndex + 1) + " of " + entry->csvFile +
           " done by hand";
  }
  return "A carrier ID of an earlier cycle could not be marked as used:\r\n" + reason +
         "\r\nNo transponder is written until it is. " + step + ", then remove the file " +
         std::string(InFlightFile::kFileName) + " from the working directory.";
}

}  // namespace torvane
