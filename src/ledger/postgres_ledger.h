#pragma once

#include <memory>
#include <string>

#include "ledger/ledger_store.h"
#include "ledger/postgres_connection.h"

namespace torvane {

// The ledger on a PostgreSQL server that several stations share. The unique key
// on the carrier ID decides between stations that ask at the same moment; every
// call is one committed transaction. A lost server is reported by the call that
// meets it, and the next call connects again and checks the schema version.
class PostgresLedger : public LedgerStore {
 public:
  // Refuses a connection string that libpq cannot read or that holds a
  // password; a server that cannot be reached now is met by the first call.
  // A station's name is held for the session: a second session that asks for
  // the same one is refused, so two stations never share a name.
  static Result<std::unique_ptr<PostgresLedger>> Open(const std::string& connectionString,
                                                      std::string station = {});
  // Creates the tables or brings them to this version; needs the rights of the
  // database's owner, which stations do not have.
  Status Initialise();

  Status NoteRewrite(const LedgerClaim& claim) override;
  Result<std::vector<LedgerRow>> List(const LedgerQuery& query) override;
  Result<std::vector<LedgerRewrite>> Rewrites(const LedgerQuery& query) override;
  Result<std::string> Identity() override;
  bool shared() const override { return true; }

  // A row of another ledger as it stands there (state, times, station); refused
  // with the row that holds the carrier ID here, which stays as it is.
  Result<Reservation> Adopt(const LedgerRow& row);
  // A rewrite of another ledger; false when it is here already.
  Result<bool> AdoptRewrite(const LedgerRewrite& rewrite);

  static constexpr int kSchemaVersion = 3;

 protected:
  Result<std::optional<LedgerTime>> InsertReserved(const LedgerClaim& claim) override;
  Result<bool> UpdateState(std::string_view carrierId, LedgerState state,
                           std::string_view uid) override;

 private:
  PostgresLedger(const std::string& connectionString, std::string station)
      : connection_(connectionString), station_(std::move(station)) {}
  Status Connected();
  Status SetUpSession();
  Status HoldStationName();
  Status CheckIdentity();
  Result<PostgresRows> Run(const PostgresQuery& query);
  std::string Explained(const std::string& serverText) const;

  PostgresConnection connection_;
  std::string station_;
  std::string identity_;  // of the first database this store met
};

}  // namespace torvane
