#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace torvane {

// The text of a CSV data-source file with every line end (LF, CR or CR LF)
// made CR LF, cut into lines, and each line into fields at a delimiter of any
// length. Line 0 is the header.
class CsvDocument {
 public:
  // Fails with the system's reason when the file cannot be read.
  static Result<CsvDocument> Load(const std::string& path);
  CsvDocument() = default;
  explicit CsvDocument(std::string_view rawText);

  std::size_t lineCount() const { return lineStarts_.size(); }
  std::string_view Line(std::size_t index) const;
  // Puts `text` into line `index` at `column`, the line's own text counted from 0.
  void InsertIntoLine(std::size_t index, std::size_t column, std::string_view text);
  const std::string& text() const { return text_; }
  // Replaces the file atomically, with CR LF line ends.
  Status Save(const std::string& path) const;

 private:
  void IndexLines();

  std::string text_;
  std::vector<std::size_t> lineStarts_;
};

// The fields of a line; an empty delimiter leaves the line one field.
std::vector<std::string_view> SplitFields(std::string_view line, std::string_view delimiter);
// Whether one of the header's fields, blanks around it ignored, is `name`.
bool HasHeaderField(const std::vector<std::string_view>& header, std::string_view name);

}  // namespace torvane
