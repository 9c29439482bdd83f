#include "production/csv_line_source.h"

#include "production/csv_source_messages.h"
#include "production/production_messages.h"

namespace torvane {

const CsvDocument* CsvLineSource::LoadSourceFile() {
  context_.view.TakeFieldValues();
  const Result<const CsvDocument*> loaded =
      sourceFile_.Open(context_.setInUse.set.sourceFile, context_.csvDelimiter);
  if (!loaded.ok()) {
    context_.view.ShowMessage(std::string(text::kNoCsvAccess) + "\r\n" + loaded.error,
                              text::kCaption, MessageIcon::Error, MessageButtons::Ok);
    shortfall_ = Shortfall::Unreadable;
    return nullptr;
  }
  return loaded.value;
}

PrepareResult CsvLineSource::Refuse(const std::string& message, const std::string& reason) {
  ++context_.reader.errorCount;
  context_.view.ShowMessage(message, text::kCaption, MessageIcon::Warning, MessageButtons::Ok);
  failure_ = reason;
  return PrepareResult::WrongFormat;
}

PrepareResult CsvLineSource::RefuseShortfall(const std::string& firstLine) {
  const std::string& file = context_.setInUse.set.sourceFile;
  const std::string& delimiter = context_.csvDelimiter;
  CsvSourceFault fault;
  std::string opening = text::kCsvWrongFormat;
  switch (shortfall_) {
    case Shortfall::UsedUp:
      fault = CsvUsedUp(file);
      opening = text::kEndOfFile;
      break;
    case Shortfall::BadHeader:
      fault = CsvHeaderLacks(file, delimiter);
      opening = firstLine;
      break;
    case Shortfall::NoDelimiter:
      fault = CsvLineWithoutDelimiter(file, pendingIndex_, delimiter);
      break;
    case Shortfall::None:
    case Shortfall::Unreadable:
      // The box of the unreadable file has told the cause.
      return Refuse(firstLine, text::kNoCsvAccess);
  }
  return Refuse(opening + fault.detail, fault.reason);
}

Status CsvLineSource::Advance() {
  if (!prepared_) return Status::Success();
  const Result<bool> marked =
      sourceFile_.MarkDone(context_.setInUse.set.sourceFile, context_.csvDelimiter, *prepared_);
  if (!marked.ok()) return Status::Failure(marked.error);
  prepared_.reset();
  return Status::Success();
}

std::optional<InFlightEntry> CsvLineSource::InFlight() const {
  if (!prepared_) return std::nullopt;
  InFlightEntry entry;
  entry.source = kind_;
  entry.setName = context_.setInUse.name;
  entry.carrierId = prepared_->key;
  entry.csvFile = context_.setInUse.set.sourceFile;
  entry.delimiter = context_.csvDelimiter;
  entry.lineIndex = prepared_->lineIndex;
  for (const CsvLineRef& line : sourceFile_.UnsavedMarks()) {
    entry.unsavedLines.push_back({line.lineIndex, line.key});
  }
  return entry;
}

}  // namespace torvane
