#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_identity.h"
#include "platform/result.h"
#include "production/csv_document.h"
#include "production/csv_line_marker.h"

namespace torvane {

// The file of a CSV source, kept in memory from one cycle to the next: read
// again only when the file on disk is no longer the one last read or written,
// and searched for the first line not done from where the last search ended,
// so a cycle costs the same whether few or most lines are done.
//
// Marks are saved together: the file is rewritten once its marks held only in
// memory make up one per `bytesPerSave` of its length, so a long file is not
// rewritten whole for every line. Until then the ledger knows the carrier IDs
// and the in-flight entry names the lines (UnsavedMarks), so a stop loses no
// mark: the next start writes them.
class CsvSourceFile {
 public:
  static constexpr std::size_t kBytesPerSave = std::size_t{1} << 20;

  explicit CsvSourceFile(std::size_t bytesPerSave = kBytesPerSave) : bytesPerSave_(bytesPerSave) {}

  // The document of the file at `path` as this station marked it; fails with
  // the reason when the file cannot be read. Marks still held for another file
  // or delimiter are saved first; a file changed by another program is read
  // again and gets the marks held.
  Result<const CsvDocument*> Open(const std::string& path, std::string_view delimiter);
  // The first data line of the opened document whose done field is not marked.
  std::optional<CsvLine> FirstPendingLine(std::string_view delimiter, std::size_t doneField);
  // Marks the line done in the file at `path` (see MarkLineInDocument); the
  // file is replaced atomically when enough marks are held.
  Result<bool> MarkDone(const std::string& path, std::string_view delimiter,
                        const CsvLineRef& line);
  // Writes the marks held only in memory; on failure they stay held.
  Status SaveMarks();
  const std::vector<CsvLineRef>& UnsavedMarks() const { return unsaved_; }

 private:
  // Every data line before `line` is done for this delimiter and done field.
  struct Cursor {
    std::string delimiter;
    std::size_t doneField = 0;
    CsvLine line;
  };

  // Reads the file and puts the marks held into it.
  Status Reload(const std::string& path);

  std::size_t bytesPerSave_;
  std::string path_;
  // Of the file that the document holds; nothing when it must be read again.
  std::optional<FileIdentity> identity_;
  CsvDocument document_;
  std::optional<Cursor> cursor_;
  // Marked in the document, not yet in the file at path_.
  std::vector<CsvLineRef> unsaved_;
  std::string unsavedDelimiter_;
};

// Marks the line done in the file at `path`, read for this alone, together
// with `earlier` lines whose marks it may lack; true when `line` was marked now.
Result<bool> MarkCsvLineDone(const std::string& path, std::string_view delimiter,
                             const CsvLineRef& line, std::span<const CsvLineRef> earlier = {});

}  // namespace torvane
