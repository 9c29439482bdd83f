#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/carrier_id_ledger.h"
#include "ledger/ledger_rows.h"

namespace torvane {

// What the SQLite and the PostgreSQL store share: how a reservation and a state
// change are decided, the lookup, and the reading of rows. Each store adds its
// SQL and its driver's calls.
class LedgerStore : public CarrierIdLedger {
 public:
  Result<Reservation> Reserve(const LedgerClaim& claim) final;
  Result<std::optional<LedgerRow>> LookUp(std::string_view carrierId) final;

  // The claim's columns, in the order in which the rows are read.
  static constexpr const char* kClaimColumns =
      "carrier_id, set_name, source_kind, counter_value, source_file, source_line, uid, "
      "station, token";

 protected:
  Result<LedgerState> Move(std::string_view carrierId, LedgerState state,
                           std::string_view uid) final;

  // Inserts the claim as a reserved row: its reservation time, or nothing when
  // a row holds the carrier ID already.
  virtual Result<std::optional<LedgerTime>> InsertReserved(const LedgerClaim& claim) = 0;
  // Moves a reserved or written row to `state`, a non-empty UID replacing the
  // row's: whether a row moved.
  virtual Result<bool> UpdateState(std::string_view carrierId, LedgerState state,
                                   std::string_view uid) = 0;

  // The refusal of a claim: the row that holds its carrier ID; `missing` is the
  // failure when no row does.
  Result<Reservation> RefusedBy(std::string_view carrierId, const std::string& missing);

  // kClaimColumns, then the state and the reservation and change times in
  // milliseconds.
  static Result<std::vector<LedgerRow>> ReadRows(LedgerRows& rows);
  // kClaimColumns, then the time of the rewrite in milliseconds.
  static Result<std::vector<LedgerRewrite>> ReadRewrites(LedgerRows& rows);
};

}  // namespace torvane
