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
// before the first page write (fix data is noted, never refused). A failed
// cycle whose writes may have landed leaves it marked written with the UID read
// before the first write; the next cycle of this process writes it again only
// to that same transponder, and spends it when another one is on the antenna.
// A failed cycle none of whose writes can have landed keeps it reserved for
// the next transponder. A carrier ID written in Manual mode is reserved too;
// one the ledger holds is written again only when the operator says so, and
// the rewrite is noted.
class CarrierIdGuard : public CarrierIdWriteGate {
 public:
  CarrierIdGuard(ProductionContext& context, StationLedger& ledger, TransponderReadBack& readBack);

  enum class Claim {
    Held,   // the cycle may write
    Spent,  // a failed cycle's ID was spent: move the source past it, prepare again
    Taken,  // another station of a shared ledger holds it: move past it, prepare again
    Known,  // the transponder holds a carrier ID the ledger knows: nothing is written
    Stop,   // the operator has been told; nothing is written
  };
  // For the data set the source has just prepared, to be written to the
  // transponder whose UID was read before the first write (empty: none given).
  Claim ClaimPrepared(const CarrierIdSource& source, const std::optional<InFlightEntry>& entry,
                      const std::string& uid);
  // The bytes the prepared data set puts at the carrier ID's place.
  std::string PreparedBytes(const CarrierIdSource& source) const;
  // The bytes the cycle holds; empty for fix data.
  const std::string& held() const { return held_; }
  // This guard's rows carry it: the ones it may finish, whatever the station's name.
  const std::string& token() const { return token_; }
  // The ID is held again for the transponder that a failed cycle left it on.
  bool retrying() const { return retrying_; }
  // The carrier IDs of other stations, and a transponder that holds one,
  // passed over since the last call, in a line for the status line; empty
  // when there were none.
  std::string TakeSkippedNote();

  // After a failed write or lock: which transponder may now hold the ID, the
  // one whose UID was read before the first write. A cycle none of whose
  // writes can have landed keeps its reservation for the next transponder.
  // False when the ledger did not take the mark, so that the ID stays in
  // flight on disk.
  bool OnFailed(bool writeMayHaveLanded);
  // Before the source moves on: whether the transponder counts, and the
  // operator's message where something failed. A ledger that cannot be reached
  // gets the mark later, and the transponder counts; a ledger that refuses it
  // (the ID is spent) means the transponder does not.
  Result<bool> OnProgrammed();
  // A carrier ID that a stopped station left in flight counts as spent, or as
  // programmed when its transponder was; a failure means the ledger has not
  // taken the mark yet.
  Status OnSettled(const InFlightEntry& entry);
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
  // The state the row holds after the mark.
  Result<LedgerState> Mark(CarrierIdLedger& store, const PendingMark& mark);
  Result<LedgerState> MarkNow(const PendingMark& mark);
  // A mark the ledger does not take is kept for the next claim; the operator is told.
  bool MarkOrKeep(const PendingMark& mark);
  Claim Retry(CarrierIdLedger& store, const LedgerRow& row, const CarrierIdPlace& place);
  // Whether the transponder on the antenna is the one of the failed cycle:
  // by UID where both are known, else by what its carrier-ID pages hold.
  std::optional<bool> SameTransponder(const LedgerRow& row, const CarrierIdPlace& place);
  // The row of a carrier ID that the transponder on the antenna holds,
  // programmed or written by hand: found by its UID, else by what its
  // carrier-ID pages hold.
  Result<std::optional<LedgerRow>> HeldByTransponder(CarrierIdLedger& store,
                                                     const CarrierIdPlace& place);
  LedgerClaim ClaimOf(const std::string& bytes, const std::optional<InFlightEntry>& entry) const;
  void Tell(const std::string& message, MessageIcon icon);

  ProductionContext& context_;
  StationLedger& ledger_;
  TransponderReadBack& readBack_;
  const std::string token_;
  std::string held_;
  std::string cycleUid_;
  bool retrying_ = false;
  // A reservation that a failed cycle left with no page written.
  std::string unwritten_;
  std::vector<LedgerRow> skipped_;
  std::string knownNote_;
  // Entered by the next claim before anything else, so a reserved row never
  // stands for an ID that a page may already hold.
  std::optional<PendingMark> pending_;
  // The reservation of the manual write under way; empty when it is a rewrite.
  std::string manualHeld_;
  std::string manualUid_;
};

}  // namespace torvane
