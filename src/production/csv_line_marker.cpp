#include "production/csv_line_marker.h"

#include <vector>

namespace torvane {

bool IsDoneMark(std::string_view field) {
  const std::size_t first = field.find_first_not_of(' ');
  return first != std::string_view::npos && field[first] == 'X';
}

std::optional<CsvLine> FirstPendingLine(const CsvDocument& document, std::string_view delimiter,
                                        std::size_t doneField, CsvLine from) {
  std::optional<CsvLine> pending;
  document.ForEachLine(
      [&](const CsvLine& line) {
        if (line.index == 0) return true;
        const std::optional<std::string_view> done = FieldOf(line.text, delimiter, doneField);
        if (done && IsDoneMark(*done)) return true;
        pending = line;
        return false;
      },
      from);
  return pending;
}

Result<bool> MarkLineInDocument(CsvDocument& document, const std::string& path,
                                std::string_view delimiter, const CsvLineRef& line, CsvLine from) {
  using Marked = Result<bool>;
  const std::string where = path + ": line " + std::to_string(line.lineIndex + 1);
  const Marked changed = Marked::Failure(where + " no longer holds carrier ID " + line.key);
  const std::optional<CsvLine> found = document.Line(line.lineIndex, from);
  if (!found) return changed;
  const std::string_view text = found->text;
  const std::vector<std::string_view> fields = SplitFields(text, delimiter);
  if (line.keyField >= fields.size() || fields[line.keyField] != line.key) return changed;
  std::size_t column = text.size();
  std::string mark = "X";
  if (fields.size() > line.doneField) {
    if (IsDoneMark(fields[line.doneField])) return Marked::Success(false);
    column = static_cast<std::size_t>(fields[line.doneField].data() - text.data());
  } else if (fields.size() == line.doneField) {
    mark = std::string(delimiter) + "X";
  } else {
    return changed;
  }
  // A delimiter that runs into the key's end or holds an "X" would make the
  // marked line read differently: its carrier ID would be handed out again.
  const std::string marked =
      std::string(text.substr(0, column)).append(mark).append(text.substr(column));
  const std::optional<std::string_view> done = FieldOf(marked, delimiter, line.doneField);
  if (FieldOf(marked, delimiter, line.keyField) != line.key || !done || !IsDoneMark(*done)) {
    return Marked::Failure(where + " can not be marked done with the delimiter \"" +
                           std::string(delimiter) + "\"");
  }
  document.InsertIntoLine(*found, column, mark);
  return Marked::Success(true);
}

}  // namespace torvane
