#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace torvane {

// The text of a CSV data-source file with every line end (LF, CR or CR LF)
// made CR LF, read line by line, each line cut into fields at a delimiter of
// any length. Line 0 is the header; a UTF-8 byte order mark in front of it is
// no part of it, and a saved file keeps it. Files of a million lines are read, marked
// and written in one pass each.
class CsvDocument {
 public:
  // Fails with the system's reason when the file cannot be read.
  static Result<CsvDocument> Load(const std::string& path);
  CsvDocument() = default;
  explicit CsvDocument(std::string rawText);

  // Calls visit(index, line) for each line in order while it returns true.
  template <class Visit>
  void ForEachLine(Visit visit) const {
    std::size_t index = 0;
    for (std::size_t start = 0; start < text_.size(); ++index) {
      const std::size_t end = LineEnd(start);
      if (!visit(index, std::string_view(text_).substr(start, end - start))) return;
      start = end + kLineEndSize;
    }
  }
  std::optional<std::string_view> Line(std::size_t index) const;
  // Puts `text` into line `index` at `column` of the line's own text.
  void InsertIntoLine(std::size_t index, std::size_t column, std::string_view text);
  const std::string& text() const { return text_; }
  // Replaces the file atomically, with CR LF line ends.
  Status Save(const std::string& path) const;

 private:
  static constexpr std::size_t kLineEndSize = 2;
  // Where the line that starts at `start` ends (its CR, or the end of the text).
  std::size_t LineEnd(std::size_t start) const;
  std::optional<std::size_t> LineStart(std::size_t index) const;

  bool byteOrderMark_ = false;
  std::string text_;
};

// The fields of a line; an empty delimiter leaves the line one field.
std::vector<std::string_view> SplitFields(std::string_view line, std::string_view delimiter);
// Field `index` of the line; nothing when the line has fewer fields.
std::optional<std::string_view> FieldOf(std::string_view line, std::string_view delimiter,
                                        std::size_t index);
// Whether one of the header's fields, blanks around it ignored, is `name`.
bool HasHeaderField(const std::vector<std::string_view>& header, std::string_view name);

}  // namespace torvane
