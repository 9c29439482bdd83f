#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace torvane {

// A data line chosen for a cycle, found again by its number and its own key
// field, never by searching the text: a key that ends another field (the
// header's "Carrier ID", an earlier line, page data) must not be marked instead.
struct CsvLineRef {
  std::size_t lineIndex = 0;
  std::string key;
  std::size_t keyField = 0;
  std::size_t doneField = 1;
};

// A done field carries the mark "X" (blanks before it are allowed).
bool IsDoneMark(std::string_view field);

struct CsvLine {
  std::size_t index = 0;
  std::string_view text;
};
class CsvDocument;
// The first data line whose done field is missing or not marked.
std::optional<CsvLine> FirstPendingLine(const CsvDocument& document, std::string_view delimiter,
                                        std::size_t doneField);

// Puts "X" at the front of the line's done field and rewrites the file
// atomically; a line that lacks only its done field gets the delimiter and
// "X". A line already done is left alone. True when the line was marked now;
// fails with the reason when the file cannot be read or written or the line no
// longer carries the key.
Result<bool> MarkCsvLineDone(const std::string& path, std::string_view delimiter,
                             const CsvLineRef& line);

}  // namespace torvane
