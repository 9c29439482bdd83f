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
// that fails puts the old end back; both are reported with the file's path.
Status AppendToRecordFile(const std::string& path, int expandedColumnCount,
                          const RowsForAppend& rows);

}  // namespace torvane
