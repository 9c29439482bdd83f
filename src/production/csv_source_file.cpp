#include "production/csv_source_file.h"

namespace torvane {

Result<const CsvDocument*> CsvSourceFile::Open(const std::string& path,
                                               std::string_view delimiter) {
  using Opened = Result<const CsvDocument*>;
  if (!unsaved_.empty() && (path != path_ || delimiter != unsavedDelimiter_)) {
    if (const Status saved = SaveMarks(); !saved.ok()) return Opened::Failure(saved.error);
  }
  if (identity_ && path == path_ && IdentityOfFile(path) == identity_) {
    return Opened::Success(&document_);
  }
  const Status reloaded = Reload(path);
  if (!reloaded.ok()) return Opened::Failure(reloaded.error);
  return Opened::Success(&document_);
}

Status CsvSourceFile::Reload(const std::string& path) {
  identity_.reset();
  cursor_.reset();
  const std::optional<FileIdentity> before = IdentityOfFile(path);
  Result<CsvDocument> loaded = CsvDocument::Load(path);
  if (!loaded.ok()) return Status::Failure(loaded.error);
  document_ = std::move(loaded.value);
  path_ = path;
  std::string lost;
  std::vector<CsvLineRef> kept;
  for (const CsvLineRef& line : unsaved_) {
    const Result<bool> marked = MarkLineInDocument(document_, path, unsavedDelimiter_, line);
    if (marked.ok()) {
      // A line the file already holds done needs no save.
      if (marked.value) kept.push_back(line);
    } else {
      lost += (lost.empty() ? "" : "\r\n") + marked.error;
    }
  }
  unsaved_ = std::move(kept);
  // A file that changed while it was read is read again next time.
  if (before && IdentityOfFile(path) == before) identity_ = before;
  // A line another program changed keeps no mark; the ledger still holds its carrier ID.
  if (!lost.empty()) return Status::Failure(lost);
  return Status::Success();
}

std::optional<CsvLine> CsvSourceFile::FirstPendingLine(std::string_view delimiter,
                                                       std::size_t doneField) {
  const bool sameFields =
      cursor_ && cursor_->delimiter == delimiter && cursor_->doneField == doneField;
  const CsvLine from = sameFields ? cursor_->line : CsvLine{};
  std::optional<CsvLine> pending = torvane::FirstPendingLine(document_, delimiter, doneField, from);
  if (pending)
    cursor_ = Cursor{std::string(delimiter), doneField, {pending->index, pending->start, {}}};
  return pending;
}

Result<bool> CsvSourceFile::MarkDone(const std::string& path, std::string_view delimiter,
                                     const CsvLineRef& line) {
  const Result<const CsvDocument*> opened = Open(path, delimiter);
  if (!opened.ok()) return Result<bool>::Failure(opened.error);
  const CsvLine from = cursor_ ? cursor_->line : CsvLine{};
  const Result<bool> marked = MarkLineInDocument(document_, path, delimiter, line, from);
  if (!marked.ok() || !marked.value) return marked;
  // A line marked before the cursor moves the cursor's line in the text.
  if (cursor_ && line.lineIndex < cursor_->line.index) cursor_.reset();
  unsaved_.push_back(line);
  unsavedDelimiter_ = delimiter;
  if (unsaved_.size() * bytesPerSave_ < document_.size()) return marked;
  if (const Status saved = SaveMarks(); !saved.ok()) return Result<bool>::Failure(saved.error);
  return marked;
}

Status CsvSourceFile::SaveMarks() {
  if (unsaved_.empty()) return Status::Success();
  const Result<FileIdentity> saved = document_.Save(path_);
  if (!saved.ok()) return Status::Failure(saved.error);
  identity_ = saved.value;
  unsaved_.clear();
  return Status::Success();
}

Result<bool> MarkCsvLineDone(const std::string& path, std::string_view delimiter,
                             const CsvLineRef& line, std::span<const CsvLineRef> earlier) {
  CsvSourceFile file;
  for (const CsvLineRef& done : earlier) {
    const Result<bool> marked = file.MarkDone(path, delimiter, done);
    if (!marked.ok()) return marked;
  }
  const Result<bool> marked = file.MarkDone(path, delimiter, line);
  if (!marked.ok()) return marked;
  if (const Status saved = file.SaveMarks(); !saved.ok()) return Result<bool>::Failure(saved.error);
  return marked;
}

}  // namespace torvane
