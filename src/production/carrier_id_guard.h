#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ledger/station_ledger.h"
#include "production/carrier_id_source.h"
#include "production/production_context.h"
#include "transponder/carrier_id_write_gate.h"
#include "transponder/transponder_read_back.h"

namespace torvane {

// The ledger's side of a cycle: the carrier ID about to be written is reserved
// before the first page write (fix data is noted, never refused); a failed
// cycle leaves it marked written with the UID of the transponder, and the next
// cycle writes it again only to that same transponder. A carrier ID written in
// Manual mode is reserved too; one the ledger holds is written again only when
// the operator says so, and the rewrite is noted.
class CarrierIdGuard : public CarrierIdWriteGate {
 public:
  CarrierIdGuard(ProductionContext& context, StationLedger& ledger, TransponderReadBack& readBack)
      : context_(context), ledger_(ledger), readBack_(readBack) {}

  enum class Claim {
    Held,   // the cycle may write
    Spent,  // a failed cycle's ID was spent: move the source past it, prepare again
    Taken,  // another station of a shared ledger holds it: move past it, prepare again
    Stop,   // the operator has been told; nothing is written
  };
  // For the data set the source has just prepared.
  Claim ClaimPrepared(const CarrierIdSource& source, const std::optional<InFlightEntry>& entry);
  // The bytes the cycle holds; empty for fix data.
  const std::string& held() const { return held_; }
  // The ID is held again for the transponder that a failed cycle left it on.
  bool retrying() const { return retrying_; }
  // The carrier IDs of other stations passed over since the last call, in a
  // line for the status line; empty when there were none.
  std::string TakeSkippedNote();

  // After a failed write or lock: which transponder may now hold the ID. False
  // when the ledger did not take it, so that the ID stays in flight on disk.
  bool OnFailed();
  // Before the source moves on; a failure carries the operator's message.
  Status OnProgrammed();
  // A carrier ID that a stopped station left in flight counts as spent.
  void OnSettled(const InFlightEntry& entry);
  // The ledger's row of a carrier ID; nothing when it holds none.
  Result<std::optional<LedgerRow>> LookUp(const std::string& carrierId);

  // The manual carrier-ID write.
  bool Admit(const std::string& carrierId) override;
  // A failed write leaves the reservation spent: a page may hold the ID.
  void OnWritten(const std::string& carrierId, bool acknowledged) override;

 private:
  // A state the ledger did not take when the cycle ended (its server gone).
  struct PendingMark {
    std::string carrierId;
    LedgerState state;
    std::string uid;
  };
  // The store with any pending state entered; nothing when the operator has
  // been told why it cannot be used.
  CarrierIdLedger* ReadyStore();
  Status Mark(CarrierIdLedger& store, const PendingMark& mark);
  // A mark the ledger does not take is kept for the next claim; the operator is told.
  bool MarkOrKeep(const PendingMark& mark);
  Claim Retry(CarrierIdLedger& store, const LedgerRow& row, const CarrierIdPlace& place);
  LedgerClaim ClaimOf(const std::string& bytes, const std::optional<InFlightEntry>& entry) const;
  // The UID the cycle read itself, where the transponder type reads one.
  std::string CycleUid() const;
  void Tell(const std::string& message, MessageIcon icon);

  ProductionContext& context_;
  StationLedger& ledger_;
  TransponderReadBack& readBack_;
  std::string held_;
  bool retrying_ = false;
  std::vector<LedgerRow> skipped_;
  // Entered by the next claim before anything else, so a reserved row never
  // stands for an ID that a page may already hold.
  std::optional<PendingMark> pending_;
  // The reservation of the manual write under way; empty when it is a rewrite.
  std::string manualHeld_;
  std::string manualUid_;
};

}  // namespace torvane
