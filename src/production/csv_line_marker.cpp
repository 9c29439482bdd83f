#include "production/csv_line_marker.h"

#include <vector>

#include "production/csv_document.h"

namespace torvane {

bool IsDoneMark(std::string_view field) {
  const std::size_t first = field.find_first_not_of(' ');
  return first != std::string_view::npos && field[first] == 'X';
}

std::optional<CsvLine> FirstPendingLine(const CsvDocument& document, std::string_view delimiter,
                                        std::size_t doneField) {
  std::optional<CsvLine> pending;
  document.ForEachLine([&](std::size_t index, std::string_view line) {
    if (index == 0) return true;
    const std::optional<std::string_view> done = FieldOf(line, delimiter, doneField);
    if (done && IsDoneMark(*done)) return true;
    pending = CsvLine{index, line};
    return false;
  });
  return pending;
}

Result<bool> MarkCsvLineDone(const std::string& path, std::string_view delimiter,
                             const CsvLineRef& line) {
  using Marked = Result<bool>;
  Result<CsvDocument> loaded = CsvDocument::Load(path);
  if (!loaded.ok()) return Marked::Failure(loaded.error);
  CsvDocument& document = loaded.value;
  const Marked changed = Marked::Failure(path + ": line " + std::to_string(line.lineIndex + 1) +
                                         " no longer holds carrier ID " + line.key);
  const std::optional<std::string_view> found = document.Line(line.lineIndex);
  if (!found) return changed;
  const std::string_view text = *found;
  const std::vector<std::string_view> fields = SplitFields(text, delimiter);
  if (line.keyField >= fields.size() || fields[line.keyField] != line.key) return changed;
  if (fields.size() > line.doneField) {
    if (IsDoneMark(fields[line.doneField])) return Marked::Success(false);
    const auto column = static_cast<std::size_t>(fields[line.doneField].data() - text.data());
    document.InsertIntoLine(line.lineIndex, column, "X");
  } else if (fields.size() == line.doneField) {
    document.InsertIntoLine(line.lineIndex, text.size(), std::string(delimiter) + "X");
  } else {
    return changed;
  }
  // A delimiter that runs into the key's end or holds an "X" would make the
  // marked line read differently: its carrier ID would be handed out again.
  const std::string_view marked = *document.Line(line.lineIndex);
  const std::optional<std::string_view> done = FieldOf(marked, delimiter, line.doneField);
  if (FieldOf(marked, delimiter, line.keyField) != line.key || !done || !IsDoneMark(*done)) {
    return Marked::Failure(path + ": line " + std::to_string(line.lineIndex + 1) +
                           " can not be marked done with the delimiter \"" +
                           std::string(delimiter) + "\"");
  }
  const Status saved = document.Save(path);
  if (!saved.ok()) return Marked::Failure(saved.error);
  return Marked::Success(true);
}

}  // namespace torvane
