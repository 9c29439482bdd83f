#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/result.h"
#include "production/csv_document.h"

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

// The first data line from `from` on whose done field is missing or not marked.
std::optional<CsvLine> FirstPendingLine(const CsvDocument& document, std::string_view delimiter,
                                        std::size_t doneField, CsvLine from = {});

// Puts "X" at the front of the line's done field; a line that lacks only its
// done field gets the delimiter and "X". A line already done is left alone. The
// line is searched from `from`. True when the line was marked now; fails with
// the reason, naming the file at `path`, and leaves the document as it was when
// the line no longer carries the key or would read differently once marked.
Result<bool> MarkLineInDocument(CsvDocument& document, const std::string& path,
                                std::string_view delimiter, const CsvLineRef& line,
                                CsvLine from = {});

}  // namespace torvane
