#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_identity.h"
#include "platform/result.h"

namespace torvane {

// A line of a CSV document: its number, where it starts in the text and its
// text without the line end.
struct CsvLine {
  std::size_t index = 0;
  std::size_t start = 0;
  std::string_view text;
};

// The text of a CSV data-source file with every line end (LF, CR or CR LF)
// made CR LF, read line by line, each line cut into fields at a delimiter of
// any length. Line 0 is the header; a UTF-8 byte order mark in front of it is
// no part of it, and a saved file keeps it. A line is changed by moving a gap
// in the text to it, so marking lines one after another moves a line's bytes,
// not the file's.
class CsvDocument {
 public:
  // Fails with the system's reason when the file cannot be read.
  static Result<CsvDocument> Load(const std::string& path);
  CsvDocument() = default;
  explicit CsvDocument(std::string rawText);

  // Calls visit(line) for each line from `from` on (a line start that the
  // document gave) while it returns true.
  template <class Visit>
  void ForEachLine(Visit visit, CsvLine from = {}) const {
    std::size_t index = from.index;
    for (std::size_t start = from.start; start < size(); ++index) {
      const std::size_t end = LineEnd(start);
      if (!visit(CsvLine{index, start, View(start, end - start)})) return;
      start = end + kLineEndSize;
    }
  }
  // Line `index`, searched from `from` when that line comes before it.
  std::optional<CsvLine> Line(std::size_t index, CsvLine from = {}) const;
  // Puts `text` into the line at `column` of its own text.
  void InsertIntoLine(const CsvLine& line, std::size_t column, std::string_view text);
  // The whole text; for checks, as it copies.
  std::string text() const;
  // Replaces the file atomically, with CR LF line ends; gives the identity of
  // the file written.
  Result<FileIdentity> Save(const std::string& path) const;
  // The length of the text in bytes.
  std::size_t size() const { return buffer_.size() - gapSize_; }

 private:
  static constexpr std::size_t kLineEndSize = 2;
  // Where the line that starts at `start` ends (its CR, or the end of the text).
  std::size_t LineEnd(std::size_t start) const;
  // Text that lies on one side of the gap.
  std::string_view View(std::size_t start, std::size_t length) const;
  void MoveGapTo(std::size_t position);

  bool byteOrderMark_ = false;
  // The text with a gap of unused bytes at gapAt_; between changes the gap
  // lies at the start of a line, so no line runs across it.
  std::string buffer_;
  std::size_t gapAt_ = 0;
  std::size_t gapSize_ = 0;
};

// The fields of a line; an empty delimiter leaves the line one field.
std::vector<std::string_view> SplitFields(std::string_view line, std::string_view delimiter);
// Field `index` of the line; nothing when the line has fewer fields.
std::optional<std::string_view> FieldOf(std::string_view line, std::string_view delimiter,
                                        std::size_t index);
// Whether one of the header's fields, blanks around it ignored, is `name`.
bool HasHeaderField(const std::vector<std::string_view>& header, std::string_view name);

}  // namespace torvane
