#include "ledger/ledger_settings.h"

#include <limits.h>
#include <unistd.h>

#include <cctype>

#include "ledger/postgres_ledger.h"
#include "ledger/sqlite_ledger.h"
#include "platform/profile_values.h"
#include "platform/station_settings_name.h"

namespace torvane {

namespace {

constexpr std::string_view kSection = "Ledger";

// The URL's scheme in lower case, as libpq knows only that spelling; nothing
// for a text that is no PostgreSQL URL.
std::optional<std::string> PostgresUrl(const std::string& text) {
  for (const std::string_view scheme : {"postgresql://", "postgres://"}) {
    if (text.size() < scheme.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < scheme.size(); ++i)
      same = same && std::tolower(static_cast<unsigned char>(text[i])) == scheme[i];
    if (same) return std::string(scheme) + text.substr(scheme.size());
  }
  return std::nullopt;
}

// "word=" at the start: meant as keywords and values, though libpq may refuse it.
bool LooksLikeKeywords(const std::string& text) {
  const std::size_t start = text.find_first_not_of(" \t");
  const std::size_t equals = text.find('=');
  if (start == std::string::npos || equals == std::string::npos || equals == start) return false;
  for (std::size_t i = start; i < equals; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!std::isalnum(c) && c != '_' && c != ' ' && c != '\t') return false;
  }
  return true;
}

}  // namespace

LedgerSettings ReadLedgerSettings(const ProfileFile& file) {
  return {profile::ReadText(file, kSection, "database"),
          profile::ReadText(file, kSection, "station"),
          profile::ReadText(file, kSection, "identity")};
}

Status RememberLedgerIdentity(const std::string& workingDirectory, const std::string& identity) {
  Result<ProfileFile> file =
      ProfileFile::Load(workingDirectory + "/" + std::string(kStationSettingsName) + ".ini");
  if (!file.ok()) return Status::Failure(file.error);
  profile::WriteText(file.value, kSection, "identity", identity);
  return file.value.Save();
}

std::string DefaultStationName() {
  char name[HOST_NAME_MAX + 1] = {};
  if (gethostname(name, sizeof name - 1) != 0 || name[0] == '\0') return "station";
  return name;
}

std::string LedgerStationName(const LedgerSettings& settings) {
  return settings.station.empty() ? DefaultStationName() : settings.station;
}

Result<LedgerPlace> LedgerPlaceOf(const std::string& database,
                                  const std::string& workingDirectory) {
  using Place = Result<LedgerPlace>;
  std::optional<std::string> connection = PostgresUrl(database);
  if (!connection && (PostgresConnection::Parses(database) || LooksLikeKeywords(database)))
    connection = database;
  if (connection) {
    if (const Status readable = PostgresConnection::Readable(*connection); !readable.ok())
      return Place::Failure(readable.error);
    return Place::Success({LedgerKind::Postgres, *connection, false});
  }
  const bool defaultFile = database.empty();
  std::string path = defaultFile ? kDefaultLedgerFile : database;
  if (path.front() != '/') path = workingDirectory + "/" + path;
  return Place::Success({LedgerKind::Sqlite, path, defaultFile});
}

std::string DescribeLedgerPlace(const LedgerPlace& place) {
  return (place.kind == LedgerKind::Postgres ? "PostgreSQL " : "SQLite file ") + place.where;
}

Result<std::unique_ptr<CarrierIdLedger>> OpenCarrierIdLedger(const LedgerPlace& place,
                                                             const LedgerOpening& opening) {
  using Opened = Result<std::unique_ptr<CarrierIdLedger>>;
  if (place.kind == LedgerKind::Postgres) {
    Result<std::unique_ptr<PostgresLedger>> postgres =
        PostgresLedger::Open(place.where, opening.station);
    if (!postgres.ok()) return Opened::Failure(postgres.error);
    return Opened::Success(std::move(postgres.value));
  }
  Result<std::unique_ptr<SqliteLedger>> sqlite = SqliteLedger::Open(
      place.where, opening.createFile ? SqliteFile::CreateIfMissing : SqliteFile::MustExist);
  if (!sqlite.ok()) return Opened::Failure(sqlite.error);
  return Opened::Success(std::move(sqlite.value));
}

Result<std::unique_ptr<CarrierIdLedger>> OpenCarrierIdLedger(const LedgerSettings& settings,
                                                             const std::string& workingDirectory,
                                                             const LedgerOpening& opening) {
  const Result<LedgerPlace> place = LedgerPlaceOf(settings.database, workingDirectory);
  if (!place.ok()) return Result<std::unique_ptr<CarrierIdLedger>>::Failure(place.error);
  return OpenCarrierIdLedger(place.value, opening);
}

}  // namespace torvane
