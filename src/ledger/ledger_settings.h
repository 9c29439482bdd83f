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
  std::string database;  // a file path, relative ones in the working directory, or a
                         // PostgreSQL URL
  std::string station;   // the name rows are stamped with
};

inline constexpr const char* kDefaultLedgerFile = "Torvane.ledger";

// The [Ledger] section; set by hand only, the station never writes it.
LedgerSettings ReadLedgerSettings(const ProfileFile& file);

// The station name when none is set: the host name.
std::string DefaultStationName();
// The station name of the settings, or the default.
std::string LedgerStationName(const LedgerSettings& settings);

// A PostgreSQL URL ("postgresql://user@host/db") rather than a file path.
bool IsPostgresConnectionString(std::string_view database);

// The one place that turns a database setting into a store.
Result<std::unique_ptr<CarrierIdLedger>> OpenCarrierIdLedger(const LedgerSettings& settings,
                                                             const std::string& workingDirectory);

}  // namespace torvane
