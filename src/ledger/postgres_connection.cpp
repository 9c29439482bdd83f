#include "ledger/postgres_connection.h"

#include <poll.h>

#include <array>

namespace torvane {

namespace {

constexpr int kExpandDatabaseName = 1;

// libpq's texts span lines with tab indents; the station shows one line.
std::string OneLine(std::string_view text) {
  std::string line;
  bool blank = false;
  for (const char c : text) {
    const bool space = c == '\n' || c == '\t' || c == ' ' || c == '\r';
    if (space && !line.empty()) blank = true;
    if (space) continue;
    if (blank) line += ' ';
    blank = false;
    line += c;
  }
  return line;
}

}  // namespace

Result<bool> PostgresConnection::Open() {
  if (open() && !EndedByServer()) return Result<bool>::Success(false);
  Close();
  // Defaults first: the station's connection string may override each of them,
  // and a lost server is noticed in seconds instead of the system's minutes.
  constexpr std::array<const char*, 9> keys = {
      "connect_timeout",  "keepalives_idle",  "keepalives_interval",
      "keepalives_count", "tcp_user_timeout", "application_name",
      "dbname",           "client_encoding",  nullptr};
  const std::array<const char*, 9> values = {
      "10", "10", "5", "2", "15000", "torvane", connectionString_.c_str(), "UTF8", nullptr};
  connection_ = PQconnectdbParams(keys.data(), values.data(), kExpandDatabaseName);
  if (connection_ == nullptr) return Result<bool>::Failure("out of memory");
  if (PQstatus(connection_) != CONNECTION_OK) {
    const std::string text = OneLine(PQerrorMessage(connection_));
    Close();
    return Result<bool>::Failure(text);
  }
  return Result<bool>::Success(true);
}

// Between calls the server has nothing to say: an idle connection it wrote to
// or closed was ended by a shutdown or restart, so none of the next call's
// statements would reach the server.
bool PostgresConnection::EndedByServer() const {
  pollfd idle{PQsocket(connection_), POLLIN | POLLRDHUP, 0};
  return ::poll(&idle, 1, 0) != 0;
}

void PostgresConnection::Close() {
  if (connection_ != nullptr) PQfinish(connection_);
  connection_ = nullptr;
}

Result<PostgresRows> PostgresConnection::Run(const PostgresQuery& query) {
  if (connection_ == nullptr) return Result<PostgresRows>::Failure("no connection to the server");
  const std::vector<const char*> values = query.Values();
  const std::vector<int> lengths = query.Lengths();
  PGresult* result = PQexecParams(connection_, query.sql().c_str(), query.count(), nullptr,
                                  values.data(), lengths.data(), query.Formats().data(), 0);
  return Finish(result);
}

Status PostgresConnection::Execute(std::string_view statements) {
  if (connection_ == nullptr) return Status::Failure("no connection to the server");
  const Result<PostgresRows> done = Finish(PQexec(connection_, std::string(statements).c_str()));
  return done.ok() ? Status::Success() : Status::Failure(done.error);
}

Result<PostgresRows> PostgresConnection::Finish(PGresult* result) {
  PostgresRows rows(result);
  const ExecStatusType status = result ? PQresultStatus(result) : PGRES_FATAL_ERROR;
  if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK)
    return Result<PostgresRows>::Success(std::move(rows));
  const char* message = result ? PQresultErrorMessage(result) : "";
  std::string text = OneLine(*message != '\0' ? message : PQerrorMessage(connection_));
  // A lost server leaves a dead connection: the next call makes a new one.
  if (PQstatus(connection_) != CONNECTION_OK) Close();
  return Result<PostgresRows>::Failure(text.empty() ? "the server gave no answer" : text);
}

bool PostgresConnection::Parses(const std::string& connectionString) {
  PQconninfoOption* options = PQconninfoParse(connectionString.c_str(), nullptr);
  PQconninfoFree(options);
  return options != nullptr && !connectionString.empty();
}

Status PostgresConnection::Readable(const std::string& connectionString) {
  char* error = nullptr;
  PQconninfoOption* options = PQconninfoParse(connectionString.c_str(), &error);
  if (options == nullptr) {
    const std::string text = error != nullptr ? OneLine(error) : "out of memory";
    PQfreemem(error);
    return Status::Failure("The ledger's connection string cannot be read: " + text);
  }
  bool password = false;
  for (PQconninfoOption* option = options; option->keyword; ++option) {
    if (std::string_view(option->keyword) == "password" && option->val && *option->val)
      password = true;
  }
  PQconninfoFree(options);
  if (!password) return Status::Success();
  return Status::Failure(
      "The ledger's connection string holds a password. Remove it from Torvane.ini and give "
      "it to the station in ~/.pgpass or the environment variable PGPASSWORD.");
}

}  // namespace torvane
