#pragma once

#include <cstdint>
#include <string>

#include "platform/result.h"

namespace torvane {

// The rows a store's query gave, read one after another, columns by number:
// what the stores' shared reading needs of their drivers.
class LedgerRows {
 public:
  virtual ~LedgerRows() = default;

  // Moves to the next row; false after the last. A failure carries the
  // database's text.
  virtual Result<bool> Next() = 0;
  virtual std::string Text(int column) const = 0;
  virtual std::string Bytes(int column) const = 0;
  virtual std::int64_t Integer(int column) const = 0;
};

}  // namespace torvane
