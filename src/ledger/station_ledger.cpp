#include "ledger/station_ledger.h"

namespace torvane {

Result<CarrierIdLedger*> StationLedger::Store() {
  if (!store_ && settings_ != nullptr) {
    Result<std::unique_ptr<CarrierIdLedger>> opened =
        OpenCarrierIdLedger(*settings_, *workingDirectory_);
    if (!opened.ok()) return Result<CarrierIdLedger*>::Failure(opened.error);
    store_ = std::move(opened.value);
  }
  if (!store_) return Result<CarrierIdLedger*>::Failure("no ledger");
  return Result<CarrierIdLedger*>::Success(store_.get());
}

std::string StationLedger::station() const {
  return settings_ != nullptr ? LedgerStationName(*settings_) : station_;
}

}  // namespace torvane
