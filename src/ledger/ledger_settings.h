#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "ledger/carrier_id_ledger.h"
#include "platform/profile.h"
#include "platform/result.h"

namespace torvane {

// The [Ledger] section of Torvane.ini; empty values take the defaults.
struct LedgerSettings {
  std::string database;       // a file path, relative ones in the working directory, or a
                              // PostgreSQL URL or keyword/value connection string
  std::string station;        // the name rows are stamped with
  std::string identity = {};  // of the ledger this station last used
};

inline constexpr const char* kDefaultLedgerFile = "Torvane.ledger";

// The [Ledger] section. The station writes only `identity`; the rest is set by hand.
LedgerSettings ReadLedgerSettings(const ProfileFile& file);
// Keeps `identity` in the Torvane.ini of the working directory, every other line as it is.
Status RememberLedgerIdentity(const std::string& workingDirectory, const std::string& identity);

// The station name when none is set: the host name.
std::string DefaultStationName();
// The station name of the settings, or the default.
std::string LedgerStationName(const LedgerSettings& settings);

enum class LedgerKind { Sqlite, Postgres };

// Where a database setting points: a file (absolute path) or a PostgreSQL
// connection string (the scheme of a URL in lower case, as libpq reads it).
struct LedgerPlace {
  LedgerKind kind = LedgerKind::Sqlite;
  std::string where;
  bool defaultFile = false;  // the station's own file in the working directory
};

// A URL whose scheme is postgresql or postgres in any case, or a string libpq
// reads as keywords and values, is PostgreSQL; anything else is a file path.
// Refused: a connection string with a password, or one libpq cannot read.
Result<LedgerPlace> LedgerPlaceOf(const std::string& database, const std::string& workingDirectory);
// "SQLite file /w/Torvane.ledger" or "PostgreSQL host=db dbname=torvane".
std::string DescribeLedgerPlace(const LedgerPlace& place);

struct LedgerOpening {
  bool createFile = false;  // a missing SQLite file is made, not refused
  std::string station;      // on PostgreSQL, a name no other session may hold; empty: none
};

// The one place that turns a database setting into a store.
Result<std::unique_ptr<CarrierIdLedger>> OpenCarrierIdLedger(const LedgerPlace& place,
                                                             const LedgerOpening& opening);
Result<std::unique_ptr<CarrierIdLedger>> OpenCarrierIdLedger(const LedgerSettings& settings,
                                                             const std::string& workingDirectory,
                                                             const LedgerOpening& opening = {});

}  // namespace torvane
