#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/ledger_row.h"
#include "platform/result.h"

namespace torvane {

// The outcome of a reservation: granted with the new row, or refused with the
// row that already holds the carrier ID (when, which set, which station, UID).
struct Reservation {
  bool granted = false;
  LedgerRow row;
};

// Which rows to list: every filter that is set must match. Times are compared
// with the reservation time, `from` included and `to` excluded.
struct LedgerQuery {
  std::optional<std::string> carrierId;
  std::optional<std::string> setName;
  std::optional<std::string> uid;
  std::optional<LedgerTime> from;
  std::optional<LedgerTime> to;
};

// Every carrier ID the station puts on a transponder, held in a database with a
// unique key on the carrier ID, so that none is given out twice. Every call is
// committed to durable storage before it returns; failures carry the
// database's own error text.
class CarrierIdLedger {
 public:
  virtual ~CarrierIdLedger() = default;

  // A new row in state reserved, stamped now; refused, with the row that holds
  // it, when the carrier ID has a row already.
  virtual Result<Reservation> Reserve(const LedgerClaim& claim) = 0;

  // State changes of a reserved or written row; a non-empty UID replaces the
  // row's. Programmed and spent are final: a row in either stays as it is.
  // Each says what it did: the state the row holds after the call, which is
  // the one asked for unless the row's final state refused it. A carrier ID
  // without a row is a failure.
  Result<LedgerState> MarkWritten(std::string_view carrierId, std::string_view uid) {
    return Move(carrierId, LedgerState::Written, uid);
  }
  Result<LedgerState> MarkProgrammed(std::string_view carrierId, std::string_view uid) {
    return Move(carrierId, LedgerState::Programmed, uid);
  }
  Result<LedgerState> MarkSpent(std::string_view carrierId, std::string_view uid) {
    return Move(carrierId, LedgerState::Spent, uid);
  }

  // A carrier ID written again on purpose, stamped now; never refused.
  virtual Status NoteRewrite(const LedgerClaim& claim) = 0;

  virtual Result<std::optional<LedgerRow>> LookUp(std::string_view carrierId) = 0;
  // A random text made with the ledger and kept inside it: a ledger made anew at
  // the same place has another.
  virtual Result<std::string> Identity() = 0;
  // Fails when what was opened is no longer at its place (a file deleted or
  // replaced since); cheap enough for every reservation.
  virtual Status StillInPlace() { return Status::Success(); }
  // Whether other stations take carrier IDs from this ledger too.
  virtual bool shared() const { return false; }
  // Ordered by reservation time, then carrier ID.
  virtual Result<std::vector<LedgerRow>> List(const LedgerQuery& query) = 0;
  // Times compared with the time of the rewrite; ordered by that time.
  virtual Result<std::vector<LedgerRewrite>> Rewrites(const LedgerQuery& query) = 0;

 protected:
  virtual Result<LedgerState> Move(std::string_view carrierId, LedgerState state,
                                   std::string_view uid) = 0;
};

}  // namespace torvane
