#pragma once

#include "ledger/postgres_connection.h"

namespace torvane {

// The ledger's tables on the server: created on first use, their version
// checked on every connection, brought forward in one transaction. Stations
// that connect at once wait for each other on an advisory lock.
class PostgresSchema {
 public:
  explicit PostgresSchema(PostgresConnection& connection) : connection_(connection) {}
  Status BringTo(int version);

 private:
  Result<int> CurrentVersion();
  Status Apply(int from, int to);

  PostgresConnection& connection_;
};

}  // namespace torvane
