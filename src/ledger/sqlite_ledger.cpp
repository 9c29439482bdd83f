#include "ledger/sqlite_ledger.h"

#include <array>

namespace torvane {

namespace {

// Each entry brings the schema from its index to the next version.
constexpr std::array<const char*, SqliteLedger::kSchemaVersion> kMigrations = {
    R"(CREATE TABLE carrier_ids (
         carrier_id BLOB PRIMARY KEY NOT NULL,
         set_name TEXT NOT NULL,
         source_kind TEXT NOT NULL,
         counter_value TEXT NOT NULL,
         source_file TEXT NOT NULL,
         source_line INTEGER NOT NULL,
         uid TEXT NOT NULL,
         station TEXT NOT NULL,
         state TEXT NOT NULL
           CHECK (state IN ('reserved', 'written', 'programmed', 'spent')),
         reserved_at INTEGER NOT NULL,
         changed_at INTEGER NOT NULL
       ) WITHOUT ROWID;
       CREATE INDEX carrier_ids_by_set ON carrier_ids (set_name, reserved_at);
       CREATE INDEX carrier_ids_by_time ON carrier_ids (reserved_at);
       CREATE TABLE rewrites (
         id INTEGER PRIMARY KEY,
         carrier_id BLOB NOT NULL,
         set_name TEXT NOT NULL,
         source_kind TEXT NOT NULL,
         counter_value TEXT NOT NULL,
         source_file TEXT NOT NULL,
         source_line INTEGER NOT NULL,
         uid TEXT NOT NULL,
         station TEXT NOT NULL,
         written_at INTEGER NOT NULL
       );
       CREATE INDEX rewrites_by_carrier_id ON rewrites (carrier_id, written_at);
       CREATE INDEX rewrites_by_time ON rewrites (written_at);)",
    R"(CREATE TABLE ledger_identity (id TEXT NOT NULL);
       INSERT INTO ledger_identity (id) VALUES (lower(hex(randomblob(16))));)",
    R"(ALTER TABLE carrier_ids ADD COLUMN token TEXT NOT NULL DEFAULT '';
       ALTER TABLE rewrites ADD COLUMN token TEXT NOT NULL DEFAULT '';
       CREATE INDEX carrier_ids_by_uid ON carrier_ids (uid);)",
};

// Long enough for another station's commit, short enough that a file another
// program holds locked does not freeze the window.
constexpr int kBusyTimeoutMs = 500;

std::optional<std::pair<dev_t, ino_t>> FileAt(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return std::pair{status.st_dev, status.st_ino};
}

LedgerTime Now() {
  return std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::system_clock::now());
}

void BindClaim(SqliteStatement& statement, const LedgerClaim& claim) {
  statement.BindBlob(claim.carrierId)
      .BindText(claim.setName)
      .BindText(LedgerSourceKindName(claim.source.kind))
      .BindText(claim.source.counterValue)
      .BindText(claim.source.file)
      .BindInteger(static_cast<std::int64_t>(claim.source.line))
      .BindText(claim.uid)
      .BindText(claim.station)
      .BindText(claim.token);
}

// A prepared select's rows as the shared reading takes them.
class StatementRows : public LedgerRows {
 public:
  explicit StatementRows(SqliteStatement& statement) : statement_(statement) {}
  Result<bool> Next() override { return statement_.Step(); }
  std::string Text(int column) const override { return statement_.Text(column); }
  std::string Bytes(int column) const override { return statement_.Blob(column); }
  std::int64_t Integer(int column) const override { return statement_.Integer(column); }

 private:
  SqliteStatement& statement_;
};

// " WHERE ..." for the filters that are set, on the given time column.
std::string WhereClause(const LedgerQuery& query, const char* timeColumn) {
  std::string where;
  const auto add = [&](const std::string& condition) {
    where += where.empty() ? " WHERE " : " AND ";
    where += condition;
  };
  if (query.carrierId) add("carrier_id = ?");
  if (query.setName) add("set_name = ?");
  if (query.uid) add("uid = ?");
  if (query.from) add(std::string(timeColumn) + " >= ?");
  if (query.to) add(std::string(timeColumn) + " < ?");
  return where;
}

void BindQuery(SqliteStatement& statement, const LedgerQuery& query) {
  if (query.carrierId) statement.BindBlob(*query.carrierId);
  if (query.setName) statement.BindText(*query.setName);
  if (query.uid) statement.BindText(*query.uid);
  if (query.from) statement.BindInteger(ToMillis(*query.from));
  if (query.to) statement.BindInteger(ToMillis(*query.to));
}

}  // namespace

Result<std::unique_ptr<SqliteLedger>> SqliteLedger::Open(const std::string& path, SqliteFile file) {
  using Opened = Result<std::unique_ptr<SqliteLedger>>;
  const bool inMemory = path == ":memory:";
  if (file == SqliteFile::MustExist && !inMemory && !FileAt(path))
    return Opened::Failure(path + ": there is no ledger file of that name");
  sqlite3* db = nullptr;
  const int flags =
      SQLITE_OPEN_READWRITE | (file == SqliteFile::CreateIfMissing ? SQLITE_OPEN_CREATE : 0);
  const int code = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
  std::unique_ptr<SqliteLedger> ledger(new SqliteLedger(db, path));
  if (code != SQLITE_OK) {
    return Opened::Failure(path + ": " +
                           (db != nullptr ? SqliteErrorText(db) : sqlite3_errstr(code)));
  }
  if (!inMemory) ledger->file_ = FileAt(path);
  for (Status (SqliteLedger::*step)() :
       {&SqliteLedger::Configure, &SqliteLedger::Migrate, &SqliteLedger::ReadIdentity}) {
    if (const Status done = (ledger.get()->*step)(); !done.ok())
      return Opened::Failure(path + ": " + done.error);
  }
  return Opened::Success(std::move(ledger));
}

SqliteLedger::~SqliteLedger() {
  sqlite3_close_v2(db_);
}

Status SqliteLedger::Configure() {
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  // journal_mode answers with the mode it took; a file system without shared
  // memory keeps the old one, which is still safe with full synchronous commits.
  if (const Status wal = Execute("PRAGMA journal_mode=WAL"); !wal.ok()) return wal;
  return Execute("PRAGMA synchronous=FULL");
}

Status SqliteLedger::Migrate() {
  if (const Status begun = Execute("BEGIN IMMEDIATE"); !begun.ok()) return begun;
  Status status = Execute("CREATE TABLE IF NOT EXISTS schema_version (version INTEGER NOT NULL)");
  std::int64_t version = 0;
  bool versionRowFound = false;
  if (status.ok()) {
    Result<SqliteStatement> read = Prepare("SELECT version FROM schema_version");
    Result<bool> row = read.ok() ? read.value.Step() : Result<bool>::Failure(read.error);
    if (!row.ok()) status = Status::Failure(row.error);
    versionRowFound = row.ok() && row.value;
    if (versionRowFound) version = read.value.Integer(0);
  }
  if (status.ok() && version > kSchemaVersion) {
    status = Status::Failure("the ledger has schema version " + std::to_string(version) +
                             ", newer than this station's " + std::to_string(kSchemaVersion));
  }
  for (std::int64_t v = version; status.ok() && v < kSchemaVersion; ++v) {
    status = Execute(kMigrations[static_cast<std::size_t>(v)]);
  }
  if (status.ok() && version < kSchemaVersion) {
    const std::string current = std::to_string(kSchemaVersion);
    status =
        Execute(versionRowFound
                    ? ("UPDATE schema_version SET version = " + current).c_str()
                    : ("INSERT INTO schema_version (version) VALUES (" + current + ")").c_str());
  }
  if (!status.ok()) {
    Execute("ROLLBACK");
    return status;
  }
  return Execute("COMMIT");
}

Status SqliteLedger::ReadIdentity() {
  Result<SqliteStatement> read = Prepare("SELECT id FROM ledger_identity");
  const Result<bool> row = read.ok() ? read.value.Step() : Result<bool>::Failure(read.error);
  if (!row.ok()) return Status::Failure(row.error);
  if (!row.value) return Status::Failure("the ledger's identity is missing");
  identity_ = read.value.Text(0);
  return Status::Success();
}

Status SqliteLedger::StillInPlace() {
  if (!file_ || FileAt(path_) == file_) return Status::Success();
  return Status::Failure("The ledger file " + path_ +
                         " was deleted or replaced while the station ran. Nothing more is "
                         "written to it: restore the file, or confirm a new ledger.");
}

Status SqliteLedger::Execute(const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) == SQLITE_OK) return Status::Success();
  std::string text = (sqlite3_errcode(db_) & 0xFF) == SQLITE_BUSY || message == nullptr
                         ? SqliteErrorText(db_)
                         : message;
  sqlite3_free(message);
  return Status::Failure(text);
}

Result<SqliteStatement> SqliteLedger::Prepare(std::string_view sql) {
  return SqliteStatement::Prepare(db_, sql);
}

Result<std::optional<LedgerTime>> SqliteLedger::InsertReserved(const LedgerClaim& claim) {
  using Inserted = Result<std::optional<LedgerTime>>;
  const LedgerTime now = Now();
  Result<SqliteStatement> insert = Prepare(
      std::string("INSERT INTO carrier_ids (") + kClaimColumns +
      ", state, reserved_at, changed_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 'reserved', ?, ?)"
      " ON CONFLICT (carrier_id) DO NOTHING");
  if (!insert.ok()) return Inserted::Failure(insert.error);
  BindClaim(insert.value, claim);
  insert.value.BindInteger(ToMillis(now)).BindInteger(ToMillis(now));
  if (const Status run = insert.value.Run(); !run.ok()) return Inserted::Failure(run.error);
  if (sqlite3_changes(db_) == 1) return Inserted::Success(now);
  return Inserted::Success(std::nullopt);
}

Result<bool> SqliteLedger::UpdateState(std::string_view carrierId, LedgerState state,
                                       std::string_view uid) {
  using Moved = Result<bool>;
  Result<SqliteStatement> update = Prepare(
      "UPDATE carrier_ids SET state = ?, uid = CASE WHEN ? = '' THEN uid ELSE ? END,"
      " changed_at = ? WHERE carrier_id = ? AND state IN ('reserved', 'written')");
  if (!update.ok()) return Moved::Failure(update.error);
  update.value.BindText(LedgerStateName(state))
      .BindText(uid)
      .BindText(uid)
      .BindInteger(ToMillis(Now()))
      .BindBlob(carrierId);
  if (const Status run = update.value.Run(); !run.ok()) return Moved::Failure(run.error);
  return Moved::Success(sqlite3_changes(db_) == 1);
}

Status SqliteLedger::NoteRewrite(const LedgerClaim& claim) {
  Result<SqliteStatement> insert = Prepare(std::string("INSERT INTO rewrites (") + kClaimColumns +
                                           ", written_at) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
  if (!insert.ok()) return Status::Failure(insert.error);
  BindClaim(insert.value, claim);
  insert.value.BindInteger(ToMillis(Now()));
  return insert.value.Run();
}

Result<std::vector<LedgerRow>> SqliteLedger::List(const LedgerQuery& query) {
  using Rows = Result<std::vector<LedgerRow>>;
  Result<SqliteStatement> select = Prepare(
      std::string("SELECT ") + kClaimColumns + ", state, reserved_at, changed_at FROM carrier_ids" +
      WhereClause(query, "reserved_at") + " ORDER BY reserved_at, carrier_id");
  if (!select.ok()) return Rows::Failure(select.error);
  BindQuery(select.value, query);
  StatementRows rows(select.value);
  return ReadRows(rows);
}

Result<std::vector<LedgerRewrite>> SqliteLedger::Rewrites(const LedgerQuery& query) {
  using Rows = Result<std::vector<LedgerRewrite>>;
  Result<SqliteStatement> select =
      Prepare(std::string("SELECT ") + kClaimColumns + ", written_at FROM rewrites" +
              WhereClause(query, "written_at") + " ORDER BY written_at, id");
  if (!select.ok()) return Rows::Failure(select.error);
  BindQuery(select.value, query);
  StatementRows rows(select.value);
  return ReadRewrites(rows);
}

}  // namespace torvane
