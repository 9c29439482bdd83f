#pragma once

#include "ledger/postgres_connection.h"

namespace torvane {

// The ledger's tables on the server: created or brought forward in one
// transaction by the database's owner, their version checked by a station on
// every connection. Two that bring them forward at once wait on an advisory lock.
class PostgresSchema {
 public:
  explicit PostgresSchema(PostgresConnection& connection) : connection_(connection) {}
  Status BringTo(int version);
  // Fails, saying what to do, unless the tables have this version.
  Status Check(int version);

 private:
  Result<int> CurrentVersion();
  Status Apply(int from, int to);

  PostgresConnection& connection_;
};

}  // namespace torvane
