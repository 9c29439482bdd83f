#include "ledger/station_ledger.h"

#include <filesystem>

namespace torvane {

namespace {

using Opened = Result<std::unique_ptr<CarrierIdLedger>>;

std::string GoneQuestion(const std::string& path) {
  return "The ledger file " + path +
         " is gone. This station used it before. A new, empty ledger does not know the carrier "
         "IDs already on transponders, so it would not refuse them again.\r\n"
         "Restore the file if you can (No). Create a new, empty ledger there now (Yes)?";
}

std::string NewFileQuestion(const std::string& path) {
  return "There is no ledger file " + path +
         " (database= in the [Ledger] section of Torvane.ini).\r\n"
         "Create a new, empty ledger there (Yes)? If the name is mistyped, answer No and mend it.";
}

std::string OtherQuestion(const std::string& place) {
  return "The ledger (" + place +
         ") is another than the one this station used before. It may not know the carrier IDs "
         "this station has given out, so they could be given again.\r\n"
         "Use this ledger from now on (Yes)? Answer No to restore the station's own ledger or "
         "mend database= in Torvane.ini.";
}

}  // namespace

Result<CarrierIdLedger*> StationLedger::Store() {
  if (store_ && settings_ != nullptr) {
    if (const Status inPlace = store_->StillInPlace(); !inPlace.ok()) {
      store_.reset();
      return Result<CarrierIdLedger*>::Failure(inPlace.error);
    }
  }
  if (!store_ && settings_ != nullptr) {
    Opened opened = Open();
    if (!opened.ok()) return Result<CarrierIdLedger*>::Failure(opened.error);
    store_ = std::move(opened.value);
  }
  if (!store_) return Result<CarrierIdLedger*>::Failure("no ledger");
  return Result<CarrierIdLedger*>::Success(store_.get());
}

Opened StationLedger::Open() {
  const Result<LedgerPlace> place = LedgerPlaceOf(settings_->database, *workingDirectory_);
  if (!place.ok()) return Opened::Failure(place.error);
  const std::string remembered = remembered_.value_or(settings_->identity);
  LedgerOpening opening{false, LedgerStationName(*settings_)};
  std::error_code ignored;
  const bool missing = place.value.kind == LedgerKind::Sqlite &&
                       !std::filesystem::exists(place.value.where, ignored);
  if (missing && (!remembered.empty() || !place.value.defaultFile)) {
    const std::string question =
        remembered.empty() ? NewFileQuestion(place.value.where) : GoneQuestion(place.value.where);
    if (!Ask(question))
      return Opened::Failure("The ledger file " + place.value.where +
                             " does not exist: restore it or mend database= in Torvane.ini.");
  }
  opening.createFile = missing;
  Opened opened = OpenCarrierIdLedger(place.value, opening);
  if (!opened.ok()) return opened;
  const Result<std::string> identity = opened.value->Identity();
  if (!identity.ok()) return Opened::Failure(identity.error);
  if (identity.value == remembered) return opened;
  if (!missing && !remembered.empty() && !Ask(OtherQuestion(DescribeLedgerPlace(place.value))))
    return Opened::Failure("The ledger (" + DescribeLedgerPlace(place.value) +
                           ") is another than the one this station used before: restore the "
                           "station's own ledger, or confirm this one.");
  if (const Status saved = RememberLedgerIdentity(*workingDirectory_, identity.value); !saved.ok())
    return Opened::Failure("The ledger's identity cannot be kept in Torvane.ini: " + saved.error);
  remembered_ = identity.value;
  return opened;
}

std::string StationLedger::station() const {
  return settings_ != nullptr ? LedgerStationName(*settings_) : station_;
}

std::string StationLedger::Place() const {
  if (settings_ == nullptr) return {};
  const Result<LedgerPlace> place = LedgerPlaceOf(settings_->database, *workingDirectory_);
  return place.ok() ? DescribeLedgerPlace(place.value) : place.error;
}

}  // namespace torvane
