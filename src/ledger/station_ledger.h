#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ledger/carrier_id_ledger.h"
#include "ledger/ledger_settings.h"
#include "platform/result.h"

namespace torvane {

// The ledger as the station uses it: opened from the [Ledger] settings at its
// first use, and again at the next use while it cannot be opened, so a fixed
// path or permission needs no restart. Its identity is remembered in
// Torvane.ini: a ledger file is made without asking only at the default place
// for a station that never had one, and a ledger that is gone or another than
// the remembered one is used only when the operator agrees.
class StationLedger {
 public:
  // Asks the operator a yes/no question; true for yes.
  using Consent = std::function<bool(const std::string& question)>;

  StationLedger(const LedgerSettings& settings, const std::string& workingDirectory,
                Consent consent = {})
      : settings_(&settings), workingDirectory_(&workingDirectory), consent_(std::move(consent)) {}
  // A store made elsewhere (tests, tools).
  StationLedger(std::unique_ptr<CarrierIdLedger> store, std::string station)
      : store_(std::move(store)), station_(std::move(station)) {}

  // The store, or why there is none. A ledger file deleted or replaced since it
  // was opened is let go, and the next call opens what is there now.
  Result<CarrierIdLedger*> Store();
  // The name rows of this station carry.
  std::string station() const;
  // Where the ledger is, as the operator reads it, or why the setting cannot be used.
  std::string Place() const;

 private:
  Result<std::unique_ptr<CarrierIdLedger>> Open();
  bool Ask(const std::string& question) const { return consent_ && consent_(question); }

  const LedgerSettings* settings_ = nullptr;
  const std::string* workingDirectory_ = nullptr;
  Consent consent_;
  std::unique_ptr<CarrierIdLedger> store_;
  std::string station_;
  std::optional<std::string> remembered_;  // once this process has saved one
};

}  // namespace torvane
