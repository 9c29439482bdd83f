#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace torvane {

// The connection's last error; a lock held elsewhere is said as such, with what to do.
std::string SqliteErrorText(sqlite3* db);

// One prepared SQLite statement, finalised when it goes. Binding counts its
// parameters from 1 in the order of the calls.
class SqliteStatement {
 public:
  static Result<SqliteStatement> Prepare(sqlite3* db, std::string_view sql);
  SqliteStatement() = default;
  SqliteStatement(SqliteStatement&& other) noexcept;
  SqliteStatement& operator=(SqliteStatement&& other) noexcept;
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;
  ~SqliteStatement();

  SqliteStatement& BindText(std::string_view text);
  SqliteStatement& BindBlob(std::string_view bytes);
  SqliteStatement& BindInteger(std::int64_t value);
  SqliteStatement& BindOptionalText(const std::optional<std::string>& text);
  SqliteStatement& BindNull();

  // True while a row is there; a failure carries the database's text.
  Result<bool> Step();
  // Runs a statement that returns no rows.
  Status Run();

  std::string Text(int column) const;
  std::string Blob(int column) const;
  std::int64_t Integer(int column) const;

 private:
  explicit SqliteStatement(sqlite3_stmt* statement) : statement_(statement) {}
  std::string ErrorText() const;

  sqlite3_stmt* statement_ = nullptr;
  int nextParameter_ = 1;
};

}  // namespace torvane
