#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>

#include "ledger/carrier_id_ledger.h"
#include "ledger/sqlite_statement.h"

namespace torvane {

// The ledger in an SQLite file: WAL journal and full synchronous commits, so a
// call that returned is on disk and a kill at any point leaves the file whole.
// The schema is brought to the current version when the file is opened.
class SqliteLedger : public CarrierIdLedger {
 public:
  // ":memory:" gives a ledger that lives as long as the object.
  static Result<std::unique_ptr<SqliteLedger>> Open(const std::string& path);
  ~SqliteLedger() override;
  SqliteLedger(const SqliteLedger&) = delete;
  SqliteLedger& operator=(const SqliteLedger&) = delete;

  Result<Reservation> Reserve(const LedgerClaim& claim) override;
  Status NoteRewrite(const LedgerClaim& claim) override;
  Result<std::optional<LedgerRow>> LookUp(std::string_view carrierId) override;
  Result<std::vector<LedgerRow>> List(const LedgerQuery& query) override;
  Result<std::vector<LedgerRewrite>> Rewrites(const LedgerQuery& query) override;

  static constexpr int kSchemaVersion = 1;

 protected:
  Status Move(std::string_view carrierId, LedgerState state, std::string_view uid) override;

 private:
  explicit SqliteLedger(sqlite3* db) : db_(db) {}
  Status Configure();
  Status Migrate();
  Status Execute(const char* sql);
  Result<SqliteStatement> Prepare(std::string_view sql);

  sqlite3* db_;
};

}  // namespace torvane
