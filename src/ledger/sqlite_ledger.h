#pragma once

#include <sqlite3.h>
#include <sys/stat.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "ledger/ledger_store.h"
#include "ledger/sqlite_statement.h"

namespace torvane {

enum class SqliteFile { CreateIfMissing, MustExist };

// The ledger in an SQLite file: WAL journal and full synchronous commits, so a
// call that returned is on disk and a kill at any point leaves the file whole.
// The schema is brought to the current version when the file is opened.
class SqliteLedger : public LedgerStore {
 public:
  // ":memory:" gives a ledger that lives as long as the object.
  static Result<std::unique_ptr<SqliteLedger>> Open(const std::string& path,
                                                    SqliteFile file = SqliteFile::CreateIfMissing);
  ~SqliteLedger() override;
  SqliteLedger(const SqliteLedger&) = delete;
  SqliteLedger& operator=(const SqliteLedger&) = delete;

  Status NoteRewrite(const LedgerClaim& claim) override;
  Result<std::vector<LedgerRow>> List(const LedgerQuery& query) override;
  Result<std::vector<LedgerRewrite>> Rewrites(const LedgerQuery& query) override;
  Result<std::string> Identity() override { return Result<std::string>::Success(identity_); }
  Status StillInPlace() override;

  static constexpr int kSchemaVersion = 3;

 protected:
  Result<std::optional<LedgerTime>> InsertReserved(const LedgerClaim& claim) override;
  Result<bool> UpdateState(std::string_view carrierId, LedgerState state,
                           std::string_view uid) override;

 private:
  SqliteLedger(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}
  Status Configure();
  Status Migrate();
  Status ReadIdentity();
  Status Execute(const char* sql);
  Result<SqliteStatement> Prepare(std::string_view sql);

  sqlite3* db_;
  std::string path_;
  std::string identity_;
  // The file as opened: a path that names another file, or none, means the
  // ledger was deleted or replaced.
  std::optional<std::pair<dev_t, ino_t>> file_;
};

}  // namespace torvane
