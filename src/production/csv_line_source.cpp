#include "production/csv_line_source.h"

#include "production/production_messages.h"

namespace torvane {

std::optional<CsvDocument> CsvLineSource::LoadSourceFile() {
  context_.view.TakeFieldValues();
  Result<CsvDocument> loaded = CsvDocument::Load(context_.setInUse.set.sourceFile);
  if (!loaded.ok()) {
    context_.view.ShowMessage(std::string(text::kNoCsvAccess) + "\r\n" + loaded.error,
                              text::kCaption, MessageIcon::Error, MessageButtons::Ok);
    return std::nullopt;
  }
  return std::move(loaded.value);
}

Status CsvLineSource::Advance() {
  if (!prepared_) return Status::Success();
  const Result<bool> marked =
      MarkCsvLineDone(context_.setInUse.set.sourceFile, context_.csvDelimiter, *prepared_);
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
  return entry;
}

}  // namespace torvane
