#include "ledger/postgres_schema.h"

#include <array>

namespace torvane {

namespace {

// Each entry brings the schema from its index to the next version.
constexpr std::array<const char*, 3> kMigrations = {
    R"(CREATE TABLE schema_version (version integer NOT NULL);
       INSERT INTO schema_version (version) VALUES (0);
       CREATE TABLE carrier_ids (
         carrier_id bytea PRIMARY KEY,
         set_name text NOT NULL,
         source_kind text NOT NULL,
         counter_value text NOT NULL,
         source_file text NOT NULL,
         source_line bigint NOT NULL,
         uid text NOT NULL,
         station text NOT NULL,
         state text NOT NULL
           CHECK (state IN ('reserved', 'written', 'programmed', 'spent')),
         reserved_at timestamptz NOT NULL,
         changed_at timestamptz NOT NULL
       );
       CREATE INDEX carrier_ids_by_set ON carrier_ids (set_name, reserved_at);
       CREATE INDEX carrier_ids_by_time ON carrier_ids (reserved_at);
       CREATE TABLE rewrites (
         id bigserial PRIMARY KEY,
         carrier_id bytea NOT NULL,
         set_name text NOT NULL,
         source_kind text NOT NULL,
         counter_value text NOT NULL,
         source_file text NOT NULL,
         source_line bigint NOT NULL,
         uid text NOT NULL,
         station text NOT NULL,
         written_at timestamptz NOT NULL
       );
       CREATE INDEX rewrites_by_carrier_id ON rewrites (carrier_id, written_at);
       CREATE INDEX rewrites_by_time ON rewrites (written_at);)",
    R"(CREATE TABLE ledger_identity (id text NOT NULL);
       INSERT INTO ledger_identity (id) VALUES (gen_random_uuid()::text);)",
    R"(ALTER TABLE carrier_ids ADD COLUMN token text NOT NULL DEFAULT '';
       ALTER TABLE rewrites ADD COLUMN token text NOT NULL DEFAULT '';
       CREATE INDEX carrier_ids_by_uid ON carrier_ids (uid);)",
};

std::string Newer(int found, int version) {
  return "the ledger's tables have version " + std::to_string(found) +
         ", newer than this "
         "station's " +
         std::to_string(version) + ". Update this station to the version the other stations run.";
}

// Any number of the station's own: it only has to be the same on every station.
constexpr const char* kTakeSchemaLock = "SELECT pg_advisory_xact_lock(7265746)";

}  // namespace

Status PostgresSchema::BringTo(int version) {
  if (const Status begun = connection_.Execute("BEGIN"); !begun.ok()) return begun;
  Status status = connection_.Execute(kTakeSchemaLock);
  const Result<int> current = status.ok() ? CurrentVersion() : Result<int>::Failure(status.error);
  if (!current.ok()) status = Status::Failure(current.error);
  if (status.ok() && current.value > version) {
    status = Status::Failure(Newer(current.value, version));
  }
  if (status.ok() && current.value < version) status = Apply(current.value, version);
  if (!status.ok()) {
    connection_.Execute("ROLLBACK");
    return status;
  }
  return connection_.Execute("COMMIT");
}

Status PostgresSchema::Check(int version) {
  const Result<int> current = CurrentVersion();
  if (!current.ok()) return Status::Failure(current.error);
  if (current.value > version) return Status::Failure(Newer(current.value, version));
  if (current.value == version) return Status::Success();
  const std::string init = " Have the database's owner run: torvane-ledger init CONNECTION";
  if (current.value == 0) return Status::Failure("the database holds no ledger tables." + init);
  return Status::Failure("the ledger's tables have version " + std::to_string(current.value) +
                         ", older than this station's " + std::to_string(version) + "." + init);
}

// 0 for a database without the ledger's tables.
Result<int> PostgresSchema::CurrentVersion() {
  const Result<PostgresRows> table =
      connection_.Run(PostgresQuery("SELECT to_regclass('schema_version') IS NOT NULL"));
  if (!table.ok()) return Result<int>::Failure(table.error);
  if (table.value.Text(0, 0) != "t") return Result<int>::Success(0);
  const Result<PostgresRows> read =
      connection_.Run(PostgresQuery("SELECT max(version) FROM schema_version"));
  if (!read.ok()) return Result<int>::Failure(read.error);
  return Result<int>::Success(static_cast<int>(read.value.Integer(0, 0)));
}

Status PostgresSchema::Apply(int from, int to) {
  for (int v = from; v < to; ++v) {
    if (const Status applied = connection_.Execute(kMigrations[static_cast<std::size_t>(v)]);
        !applied.ok())
      return applied;
  }
  return connection_.Execute("UPDATE schema_version SET version = " + std::to_string(to));
}

}  // namespace torvane
