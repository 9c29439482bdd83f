#include "ledger/ledger_store.h"

#include <utility>

namespace torvane {

namespace {

// Columns in the order of kClaimColumns.
void ReadClaim(const LedgerRows& rows, LedgerClaim& claim) {
  claim.carrierId = rows.Bytes(0);
  claim.setName = rows.Text(1);
  claim.source.kind =
      LedgerSourceKindNamed(rows.Text(2)).value_or(LedgerSourceKind::DecimalCounter);
  claim.source.counterValue = rows.Text(3);
  claim.source.file = rows.Text(4);
  claim.source.line = static_cast<std::uint64_t>(rows.Integer(5));
  claim.uid = rows.Text(6);
  claim.station = rows.Text(7);
  claim.token = rows.Text(8);
}

// Every row: its claim, then what `readRest` reads after it.
template <typename Row, typename ReadRest>
Result<std::vector<Row>> ReadAll(LedgerRows& rows, ReadRest readRest) {
  std::vector<Row> all;
  for (;;) {
    const Result<bool> next = rows.Next();
    if (!next.ok()) return Result<std::vector<Row>>::Failure(next.error);
    if (!next.value) return Result<std::vector<Row>>::Success(std::move(all));
    Row& row = all.emplace_back();
    ReadClaim(rows, row);
    readRest(row);
  }
}

}  // namespace

Result<Reservation> LedgerStore::Reserve(const LedgerClaim& claim) {
  using Reserved = Result<Reservation>;
  if (const Status inPlace = StillInPlace(); !inPlace.ok()) return Reserved::Failure(inPlace.error);
  const Result<std::optional<LedgerTime>> inserted = InsertReserved(claim);
  if (!inserted.ok()) return Reserved::Failure(inserted.error);
  if (inserted.value) {
    const LedgerTime now = *inserted.value;
    return Reserved::Success(Reservation{true, LedgerRow{claim, LedgerState::Reserved, now, now}});
  }
  // The conflicting row is committed by now: the insert waited for it.
  return RefusedBy(claim.carrierId, "the carrier ID was neither reserved nor found");
}

Result<Reservation> LedgerStore::RefusedBy(std::string_view carrierId, const std::string& missing) {
  using Refused = Result<Reservation>;
  const Result<std::optional<LedgerRow>> holder = LookUp(carrierId);
  if (!holder.ok()) return Refused::Failure(holder.error);
  if (!holder.value) return Refused::Failure(missing);
  return Refused::Success(Reservation{false, *holder.value});
}

Result<LedgerState> LedgerStore::Move(std::string_view carrierId, LedgerState state,
                                      std::string_view uid) {
  using Moved = Result<LedgerState>;
  const Result<bool> updated = UpdateState(carrierId, state, uid);
  if (!updated.ok()) return Moved::Failure(updated.error);
  if (updated.value) return Moved::Success(state);
  // No row moved: the state of the row that refused it.
  const Result<std::optional<LedgerRow>> row = LookUp(carrierId);
  if (!row.ok()) return Moved::Failure(row.error);
  if (!row.value) {
    return Moved::Failure("carrier ID " + PrintableCarrierId(carrierId) + " is not in the ledger");
  }
  return Moved::Success(row.value->state);
}

Result<std::optional<LedgerRow>> LedgerStore::LookUp(std::string_view carrierId) {
  using Found = Result<std::optional<LedgerRow>>;
  LedgerQuery query;
  query.carrierId = std::string(carrierId);
  Result<std::vector<LedgerRow>> rows = List(query);
  if (!rows.ok()) return Found::Failure(rows.error);
  if (rows.value.empty()) return Found::Success(std::nullopt);
  return Found::Success(std::move(rows.value.front()));
}

Result<std::vector<LedgerRow>> LedgerStore::ReadRows(LedgerRows& rows) {
  return ReadAll<LedgerRow>(rows, [&rows](LedgerRow& row) {
    row.state = LedgerStateNamed(rows.Text(9)).value_or(LedgerState::Spent);
    row.reservedAt = FromMillis(rows.Integer(10));
    row.changedAt = FromMillis(rows.Integer(11));
  });
}

Result<std::vector<LedgerRewrite>> LedgerStore::ReadRewrites(LedgerRows& rows) {
  return ReadAll<LedgerRewrite>(
      rows, [&rows](LedgerRewrite& rewrite) { rewrite.time = FromMillis(rows.Integer(9)); });
}

}  // namespace torvane
