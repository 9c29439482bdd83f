#pragma once

#include <memory>
#include <string>

#include "ledger/carrier_id_ledger.h"
#include "ledger/ledger_settings.h"
#include "platform/result.h"

namespace torvane {

// The ledger as the station uses it: opened from the [Ledger] settings at its
// first use, and again at the next use while it cannot be opened, so a fixed
// path or permission needs no restart.
class StationLedger {
 public:
  StationLedger(const LedgerSettings& settings, const std::string& workingDirectory)
      : settings_(&settings), workingDirectory_(&workingDirectory) {}
  // A store made elsewhere (tests, tools).
  StationLedger(std::unique_ptr<CarrierIdLedger> store, std::string station)
      : store_(std::move(store)), station_(std::move(station)) {}

  // The store, or why there is none.
  Result<CarrierIdLedger*> Store();
  // The name rows of this station carry.
  std::string station() const;

 private:
  const LedgerSettings* settings_ = nullptr;
  const std::string* workingDirectory_ = nullptr;
  std::unique_ptr<CarrierIdLedger> store_;
  std::string station_;
};

}  // namespace torvane
