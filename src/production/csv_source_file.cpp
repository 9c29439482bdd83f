#include "production/csv_source_file.h"

namespace torvane {

Result<const CsvDocument*> CsvSourceFile::Open(const std::string& path) {
  using Opened = Result<const CsvDocument*>;
  const std::optional<FileIdentity> before = IdentityOfFile(path);
  if (identity_ && before == identity_ && path == path_) return Opened::Success(&document_);
  identity_.reset();
  cursor_.reset();
  Result<CsvDocument> loaded = CsvDocument::Load(path);
  if (!loaded.ok()) return Opened::Failure(loaded.error);
  document_ = std::move(loaded.value);
  path_ = path;
  // A file that changed while it was read is read again next time.
  if (before && IdentityOfFile(path) == before) identity_ = before;
  return Opened::Success(&document_);
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
  const Result<const CsvDocument*> opened = Open(path);
  if (!opened.ok()) return Result<bool>::Failure(opened.error);
  const CsvLine from = cursor_ ? cursor_->line : CsvLine{};
  const Result<bool> marked = MarkLineInDocument(document_, path, delimiter, line, from);
  if (!marked.ok() || !marked.value) return marked;
  // A line marked before the cursor moves the cursor's line in the text.
  if (cursor_ && line.lineIndex < cursor_->line.index) cursor_.reset();
  const Result<FileIdentity> saved = document_.Save(path);
  if (!saved.ok()) {
    // The document holds a mark that the file lacks.
    identity_.reset();
    return Result<bool>::Failure(saved.error);
  }
  identity_ = saved.value;
  return marked;
}

Result<bool> MarkCsvLineDone(const std::string& path, std::string_view delimiter,
                             const CsvLineRef& line) {
  return CsvSourceFile().MarkDone(path, delimiter, line);
}

}  // namespace torvane
