#pragma once

#include <functional>
#include <string>

#include "platform/result.h"

namespace torvane {

// The rows of one append, given whether the append creates the file (a new
// file gets the template first, so its first record needs a header block).
using RowsForAppend = std::function<std::string(bool fileIsNew)>;

// Inserts rows in front of the closing lines of the record file at `path`, the
// lines this station ends its workbooks with. The rows and the closing lines go out in one write
// and are on the disk when this returns. A file without that place is left as it is, and a write
// that fails puts the old end back; both are reported with the file's path. The journal notes
// the append while it runs, so that a start after a power loss can finish it.
Status AppendToRecordFile(const std::string& path, int expandedColumnCount,
                          const RowsForAppend& rows, const std::string& journalPath);

// What a start found of an append that the journal still notes.
struct UnfinishedAppend {
  std::string path;        // of the record file; empty when no append was noted
  bool completed = false;  // all of it is on disk; else the file was put back as before it
};
// Puts a record file that an append left cut short back to its last whole
// record, and ends the journal.
Result<UnfinishedAppend> FinishUnfinishedAppend(const std::string& journalPath);

}  // namespace torvane
