#include "ledger/postgres_ledger.h"

#include <array>

#include "ledger/postgres_schema.h"

namespace torvane {

namespace {

std::string Millis(const char* column) {
  return std::string("(extract(epoch FROM ") + column + ") * 1000)::bigint";
}

void AddClaim(PostgresQuery& query, const LedgerClaim& claim) {
  query.Bytes(claim.carrierId)
      .Text(claim.setName)
      .Text(LedgerSourceKindName(claim.source.kind))
      .Text(claim.source.counterValue)
      .Text(claim.source.file)
      .Integer(static_cast<std::int64_t>(claim.source.line))
      .Text(claim.uid)
      .Text(claim.station)
      .Text(claim.token);
}

// A statement's rows as the shared reading takes them.
class ResultRows : public LedgerRows {
 public:
  explicit ResultRows(const PostgresRows& rows) : rows_(rows) {}
  Result<bool> Next() override { return Result<bool>::Success(++row_ < rows_.size()); }
  std::string Text(int column) const override { return rows_.Text(row_, column); }
  std::string Bytes(int column) const override { return rows_.Bytes(row_, column); }
  std::int64_t Integer(int column) const override { return rows_.Integer(row_, column); }

 private:
  const PostgresRows& rows_;
  int row_ = -1;
};

std::string Timestamp(const std::string& millisParameter) {
  return "to_timestamp(" + millisParameter + "::bigint / 1000.0)";
}

// " WHERE ..." for the filters that are set, parameters numbered from $1 in the
// order AddFilters adds them.
std::string WhereClause(const LedgerQuery& query, const std::string& timeColumn) {
  std::vector<std::string> conditions;
  const auto parameter = [&conditions] { return "$" + std::to_string(conditions.size() + 1); };
  if (query.carrierId) conditions.push_back("carrier_id = " + parameter());
  if (query.setName) conditions.push_back("set_name = " + parameter());
  if (query.uid) conditions.push_back("uid = " + parameter());
  if (query.from) conditions.push_back(timeColumn + " >= " + Timestamp(parameter()));
  if (query.to) conditions.push_back(timeColumn + " < " + Timestamp(parameter()));
  std::string where;
  for (const std::string& condition : conditions)
    where += (where.empty() ? " WHERE " : " AND ") + condition;
  return where;
}

void AddFilters(PostgresQuery& select, const LedgerQuery& query) {
  if (query.carrierId) select.Bytes(*query.carrierId);
  if (query.setName) select.Text(*query.setName);
  if (query.uid) select.Text(*query.uid);
  if (query.from) select.Integer(query.from->time_since_epoch().count());
  if (query.to) select.Integer(query.to->time_since_epoch().count());
}

}  // namespace

Result<std::unique_ptr<PostgresLedger>> PostgresLedger::Open(const std::string& connectionString,
                                                             std::string station) {
  using Opened = Result<std::unique_ptr<PostgresLedger>>;
  if (const Status readable = PostgresConnection::Readable(connectionString); !readable.ok())
    return Opened::Failure(readable.error);
  // A server that is down now is reported by the first call.
  return Opened::Success(
      std::unique_ptr<PostgresLedger>(new PostgresLedger(connectionString, std::move(station))));
}

Status PostgresLedger::Initialise() {
  const Result<bool> opened = connection_.Open();
  if (!opened.ok()) return Status::Failure(Explained(opened.error));
  const Status brought = PostgresSchema(connection_).BringTo(kSchemaVersion);
  connection_.Close();  // the next call sets its session up as a station's
  return brought.ok() ? brought : Status::Failure(Explained(brought.error));
}

Status PostgresLedger::Connected() {
  const Result<bool> opened = connection_.Open();
  if (!opened.ok()) return Status::Failure(Explained(opened.error));
  if (!opened.value) return Status::Success();
  const Status ready = SetUpSession();
  if (!ready.ok()) connection_.Close();
  return ready;
}

Status PostgresLedger::SetUpSession() {
  // Durable before it returns, whatever the database's default; never held
  // for long by a lock another session keeps.
  Status status =
      connection_.Execute("SET synchronous_commit TO on; SET statement_timeout TO '15s'");
  if (status.ok()) status = PostgresSchema(connection_).Check(kSchemaVersion);
  if (status.ok()) status = HoldStationName();
  if (status.ok()) status = CheckIdentity();
  return status.ok() ? status : Status::Failure(Explained(status.error));
}

Status PostgresLedger::HoldStationName() {
  if (station_.empty()) return Status::Success();
  // The lock lives as long as the session: a station that ends or loses its
  // server lets go of its name.
  PostgresQuery lock("SELECT pg_try_advisory_lock(7265747, hashtext($1))");
  lock.Text(station_);
  const Result<PostgresRows> held = connection_.Run(lock);
  if (!held.ok()) return Status::Failure(held.error);
  if (held.value.Text(0, 0) == "t") return Status::Success();
  return Status::Failure("another station named \"" + station_ +
                         "\" is connected to this ledger. Each station needs a name of its own: "
                         "set station= in the [Ledger] section of Torvane.ini to a name no other "
                         "station uses, then start the station again.");
}

Status PostgresLedger::CheckIdentity() {
  const Result<PostgresRows> read =
      connection_.Run(PostgresQuery("SELECT id FROM ledger_identity"));
  if (!read.ok()) return Status::Failure(read.error);
  if (read.value.size() != 1) return Status::Failure("the ledger's identity is missing");
  const std::string found = read.value.Text(0, 0);
  if (identity_.empty()) identity_ = found;
  if (found == identity_) return Status::Success();
  return Status::Failure(
      "the database is another ledger than the one this station connected to before (a "
      "restored or newly made database?). End the station and start it again to decide "
      "whether to use it.");
}

Result<std::string> PostgresLedger::Identity() {
  if (const Status connected = Connected(); !connected.ok())
    return Result<std::string>::Failure(connected.error);
  return Result<std::string>::Success(identity_);
}

Result<PostgresRows> PostgresLedger::Run(const PostgresQuery& query) {
  if (const Status connected = Connected(); !connected.ok())
    return Result<PostgresRows>::Failure(connected.error);
  Result<PostgresRows> rows = connection_.Run(query);
  if (!rows.ok()) rows.error = Explained(rows.error);
  return rows;
}

std::string PostgresLedger::Explained(const std::string& serverText) const {
  if (connection_.open()) return "The ledger database refused: " + serverText;
  return "The ledger database cannot be reached: " + serverText +
         " Start the database server or mend the connection; the station connects again with "
         "the next cycle.";
}

Result<std::optional<LedgerTime>> PostgresLedger::InsertReserved(const LedgerClaim& claim) {
  using Inserted = Result<std::optional<LedgerTime>>;
  PostgresQuery insert(std::string("INSERT INTO carrier_ids (") + kClaimColumns +
                       ", state, reserved_at, changed_at)"
                       " VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, 'reserved', now(), now())"
                       " ON CONFLICT (carrier_id) DO NOTHING RETURNING " +
                       Millis("reserved_at"));
  AddClaim(insert, claim);
  const Result<PostgresRows> inserted = Run(insert);
  if (!inserted.ok()) return Inserted::Failure(inserted.error);
  if (inserted.value.size() == 1)
    return Inserted::Success(FromMillis(inserted.value.Integer(0, 0)));
  return Inserted::Success(std::nullopt);
}

Result<Reservation> PostgresLedger::Adopt(const LedgerRow& row) {
  using Adopted = Result<Reservation>;
  PostgresQuery insert(std::string("INSERT INTO carrier_ids (") + kClaimColumns +
                       ", state, reserved_at, changed_at)"
                       " VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, " +
                       Timestamp("$11") + ", " + Timestamp("$12") +
                       ") ON CONFLICT (carrier_id) DO NOTHING RETURNING 1");
  AddClaim(insert, row);
  insert.Text(LedgerStateName(row.state))
      .Integer(row.reservedAt.time_since_epoch().count())
      .Integer(row.changedAt.time_since_epoch().count());
  const Result<PostgresRows> inserted = Run(insert);
  if (!inserted.ok()) return Adopted::Failure(inserted.error);
  if (inserted.value.size() == 1) return Adopted::Success(Reservation{true, row});
  return RefusedBy(row.carrierId, "the carrier ID was neither copied nor found");
}

Result<bool> PostgresLedger::AdoptRewrite(const LedgerRewrite& rewrite) {
  PostgresQuery insert(std::string("INSERT INTO rewrites (") + kClaimColumns +
                       ", written_at) SELECT $1::bytea, $2::text, $3::text, $4::text, $5::text,"
                       " $6::bigint, $7::text, $8::text, $9::text, " +
                       Timestamp("$10") +
                       " WHERE NOT EXISTS (SELECT 1 FROM rewrites WHERE carrier_id = $1"
                       " AND station = $8 AND written_at = " +
                       Timestamp("$10") + ") RETURNING 1");
  AddClaim(insert, rewrite);
  insert.Integer(rewrite.time.time_since_epoch().count());
  const Result<PostgresRows> inserted = Run(insert);
  if (!inserted.ok()) return Result<bool>::Failure(inserted.error);
  return Result<bool>::Success(inserted.value.size() == 1);
}

Result<bool> PostgresLedger::UpdateState(std::string_view carrierId, LedgerState state,
                                         std::string_view uid) {
  PostgresQuery update(
      "UPDATE carrier_ids SET state = $1, uid = CASE WHEN $2 = '' THEN uid ELSE $2 END,"
      " changed_at = now() WHERE carrier_id = $3 AND state IN ('reserved', 'written')");
  update.Text(LedgerStateName(state)).Text(uid).Bytes(carrierId);
  const Result<PostgresRows> updated = Run(update);
  if (!updated.ok()) return Result<bool>::Failure(updated.error);
  return Result<bool>::Success(updated.value.affected() == 1);
}

Status PostgresLedger::NoteRewrite(const LedgerClaim& claim) {
  PostgresQuery insert(std::string("INSERT INTO rewrites (") + kClaimColumns +
                       ", written_at) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, now())");
  AddClaim(insert, claim);
  const Result<PostgresRows> inserted = Run(insert);
  return inserted.ok() ? Status::Success() : Status::Failure(inserted.error);
}

Result<std::vector<LedgerRow>> PostgresLedger::List(const LedgerQuery& query) {
  using Rows = Result<std::vector<LedgerRow>>;
  PostgresQuery select(std::string("SELECT ") + kClaimColumns + ", state, " +
                       Millis("reserved_at") + ", " + Millis("changed_at") + " FROM carrier_ids" +
                       WhereClause(query, "reserved_at") + " ORDER BY reserved_at, carrier_id");
  AddFilters(select, query);
  const Result<PostgresRows> found = Run(select);
  if (!found.ok()) return Rows::Failure(found.error);
  ResultRows rows(found.value);
  return ReadRows(rows);
}

Result<std::vector<LedgerRewrite>> PostgresLedger::Rewrites(const LedgerQuery& query) {
  using Rows = Result<std::vector<LedgerRewrite>>;
  PostgresQuery select(std::string("SELECT ") + kClaimColumns + ", " + Millis("written_at") +
                       " FROM rewrites" + WhereClause(query, "written_at") +
                       " ORDER BY written_at, id");
  AddFilters(select, query);
  const Result<PostgresRows> found = Run(select);
  if (!found.ok()) return Rows::Failure(found.error);
  ResultRows rows(found.value);
  return ReadRewrites(rows);
}

}  // namespace torvane
