#pragma once

#include <libpq-fe.h>

#include <string>
#include <string_view>

#include "ledger/postgres_query.h"
#include "ledger/postgres_rows.h"
#include "platform/result.h"

namespace torvane {

// One libpq connection that comes back by itself: a call after the server went
// away connects again, so a station outlives a restart of its database.
// Failures carry the server's or libpq's own text on one line.
class PostgresConnection {
 public:
  explicit PostgresConnection(std::string connectionString)
      : connectionString_(std::move(connectionString)) {}
  ~PostgresConnection() { Close(); }
  PostgresConnection(const PostgresConnection&) = delete;
  PostgresConnection& operator=(const PostgresConnection&) = delete;

  bool open() const { return connection_ != nullptr && PQstatus(connection_) == CONNECTION_OK; }
  // Connects when there is no working connection; true when one was made now.
  Result<bool> Open();
  void Close();

  Result<PostgresRows> Run(const PostgresQuery& query);
  // Statements without parameters, several separated by ";".
  Status Execute(std::string_view statements);

  // Whether libpq reads the text as a URL or as keywords and values.
  static bool Parses(const std::string& connectionString);
  // Refuses a text libpq cannot read, and a password, which would stand in
  // Torvane.ini for anyone to read.
  static Status Readable(const std::string& connectionString);

 private:
  bool EndedByServer() const;
  Result<PostgresRows> Finish(PGresult* result);

  std::string connectionString_;
  PGconn* connection_ = nullptr;
};

}  // namespace torvane
