#include "ledger/sqlite_statement.h"

#include <utility>

namespace torvane {

std::string SqliteErrorText(sqlite3* db) {
  const int code = sqlite3_errcode(db) & 0xFF;
  if (code != SQLITE_BUSY && code != SQLITE_LOCKED) return sqlite3_errmsg(db);
  return "the ledger file is locked by another program (another station on the same file, "
         "or a program that has it open, such as a database browser). Close that program; the "
         "station tries again with the next cycle.";
}

Result<SqliteStatement> SqliteStatement::Prepare(sqlite3* db, std::string_view sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &statement, nullptr) !=
      SQLITE_OK) {
    return Result<SqliteStatement>::Failure(SqliteErrorText(db));
  }
  return Result<SqliteStatement>::Success(SqliteStatement(statement));
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : statement_(std::exchange(other.statement_, nullptr)), nextParameter_(other.nextParameter_) {}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept {
  if (this != &other) {
    sqlite3_finalize(statement_);
    statement_ = std::exchange(other.statement_, nullptr);
    nextParameter_ = other.nextParameter_;
  }
  return *this;
}

SqliteStatement::~SqliteStatement() {
  sqlite3_finalize(statement_);
}

SqliteStatement& SqliteStatement::BindText(std::string_view text) {
  sqlite3_bind_text(statement_, nextParameter_++, text.data(), static_cast<int>(text.size()),
                    SQLITE_TRANSIENT);
  return *this;
}

SqliteStatement& SqliteStatement::BindBlob(std::string_view bytes) {
  // A zero-length blob, not NULL, for an empty carrier ID.
  sqlite3_bind_blob(statement_, nextParameter_++, bytes.empty() ? "" : bytes.data(),
                    static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
  return *this;
}

SqliteStatement& SqliteStatement::BindInteger(std::int64_t value) {
  sqlite3_bind_int64(statement_, nextParameter_++, value);
  return *this;
}

SqliteStatement& SqliteStatement::BindOptionalText(const std::optional<std::string>& text) {
  return text ? BindText(*text) : BindNull();
}

SqliteStatement& SqliteStatement::BindNull() {
  sqlite3_bind_null(statement_, nextParameter_++);
  return *this;
}

Result<bool> SqliteStatement::Step() {
  const int code = sqlite3_step(statement_);
  if (code == SQLITE_ROW) return Result<bool>::Success(true);
  if (code == SQLITE_DONE) return Result<bool>::Success(false);
  return Result<bool>::Failure(ErrorText());
}

Status SqliteStatement::Run() {
  const Result<bool> stepped = Step();
  return stepped.ok() ? Status::Success() : Status::Failure(stepped.error);
}

std::string SqliteStatement::Text(int column) const {
  const auto* text = sqlite3_column_text(statement_, column);
  const int size = sqlite3_column_bytes(statement_, column);
  return text == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(text), size);
}

std::string SqliteStatement::Blob(int column) const {
  const void* bytes = sqlite3_column_blob(statement_, column);
  const int size = sqlite3_column_bytes(statement_, column);
  return bytes == nullptr ? std::string() : std::string(static_cast<const char*>(bytes), size);
}

std::int64_t SqliteStatement::Integer(int column) const {
  return sqlite3_column_int64(statement_, column);
}

std::string SqliteStatement::ErrorText() const {
  return SqliteErrorText(sqlite3_db_handle(statement_));
}

}  // namespace torvane
