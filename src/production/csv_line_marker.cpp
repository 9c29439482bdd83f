#include "production/csv_line_marker.h"

#include <vector>

#include "production/csv_document.h"

namespace torvane {

bool IsDoneMark(std::string_view field) {
  const std::size_t first = field.find_first_not_of(' ');
  return first != std::string_view::npos && field[first] == 'X';
}

Status MarkCsvLineDone(const std::string& path, std::string_view delimiter,
                       const CsvLineRef& line) {
  Result<CsvDocument> loaded = CsvDocument::Load(path);
  if (!loaded.ok()) return Status::Failure(loaded.error);
  CsvDocument& document = loaded.value;
  const Status changed = Status::Failure(path + ": line " + std::to_string(line.lineIndex + 1) +
                                         " no longer holds carrier ID " + line.key);
  if (line.lineIndex >= document.lineCount()) return changed;

  const std::string_view text = document.Line(line.lineIndex);
  const std::vector<std::string_view> fields = SplitFields(text, delimiter);
  if (line.keyField >= fields.size() || fields[line.keyField] != line.key) return changed;
  if (fields.size() > line.doneField) {
    if (IsDoneMark(fields[line.doneField])) return Status::Success();
    const auto column = static_cast<std::size_t>(fields[line.doneField].data() - text.data());
    document.InsertIntoLine(line.lineIndex, column, "X");
  } else if (fields.size() == line.doneField) {
    document.InsertIntoLine(line.lineIndex, text.size(), std::string(delimiter) + "X");
  } else {
    return changed;
  }
  return document.Save(path);
}

}  // namespace torvane
