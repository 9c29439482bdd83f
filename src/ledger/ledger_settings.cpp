#include "ledger/ledger_settings.h"

#include <limits.h>
#include <unistd.h>

#include "ledger/postgres_ledger.h"
#include "ledger/sqlite_ledger.h"
#include "platform/profile_values.h"

namespace torvane {

LedgerSettings ReadLedgerSettings(const ProfileFile& file) {
  return {profile::ReadText(file, "Ledger", "database"),
          profile::ReadText(file, "Ledger", "station")};
}

std::string DefaultStationName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "station";
  return name;
}

std::string LedgerStationName(const LedgerSettings& settings) {
  return settings.station.empty() ? DefaultStationName() : settings.station;
}

bool IsPostgresConnectionString(std::string_view database) {
  return database.starts_with("postgresql://") || database.starts_with("postgres://");
}

Result<std::unique_ptr<CarrierIdLedger>> OpenCarrierIdLedger(const LedgerSettings& settings,
                                                             const std::string& workingDirectory) {
  using Opened = Result<std::unique_ptr<CarrierIdLedger>>;
  if (IsPostgresConnectionString(settings.database)) {
    Result<std::unique_ptr<PostgresLedger>> postgres = PostgresLedger::Open(settings.database);
    if (!postgres.ok()) return Opened::Failure(postgres.error);
    return Opened::Success(std::move(postgres.value));
  }
  std::string path = settings.database.empty() ? kDefaultLedgerFile : settings.database;
  if (path.front() != '/') path = workingDirectory + "/" + path;
  Result<std::unique_ptr<SqliteLedger>> sqlite = SqliteLedger::Open(path);
  if (!sqlite.ok()) return Opened::Failure(sqlite.error);
  return Opened::Success(std::move(sqlite.value));
}

}  // namespace torvane
