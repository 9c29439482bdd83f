#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_identity.h"
#include "platform/result.h"
#include "production/csv_document.h"
#include "production/csv_line_marker.h"

namespace torvane {

// The file of a CSV source, kept in memory from one cycle to the next: read
// again only when the file on disk is no longer the one last read or written,
// and searched for the first line not done from where the last search ended,
// so a cycle costs the same whether few or most lines are done.
class CsvSourceFile {
 public:
  // The document of the file at `path`; fails with the reason when the file
  // cannot be read.
  Result<const CsvDocument*> Open(const std::string& path);
  // The first data line of the opened document whose done field is not marked.
  std::optional<CsvLine> FirstPendingLine(std::string_view delimiter, std::size_t doneField);
  // Marks the line done in the file at `path` and replaces the file atomically
  // (see MarkLineInDocument).
  Result<bool> MarkDone(const std::string& path, std::string_view delimiter,
                        const CsvLineRef& line);

 private:
  // Every data line before `line` is done for this delimiter and done field.
  struct Cursor {
    std::string delimiter;
    std::size_t doneField = 0;
    CsvLine line;
  };

  std::string path_;
  // Of the file that the document holds; nothing when it must be read again.
  std::optional<FileIdentity> identity_;
  CsvDocument document_;
  std::optional<Cursor> cursor_;
};

// Marks the line done in the file at `path`, read for this alone.
Result<bool> MarkCsvLineDone(const std::string& path, std::string_view delimiter,
                             const CsvLineRef& line);

}  // namespace torvane
