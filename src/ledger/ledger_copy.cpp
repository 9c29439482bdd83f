#include "ledger/ledger_copy.h"

namespace torvane {

namespace {

bool SameRow(const LedgerRow& a, const LedgerRow& b) {
  return static_cast<const LedgerClaim&>(a) == static_cast<const LedgerClaim&>(b) &&
         a.reservedAt == b.reservedAt;
}

}  // namespace

Result<LedgerCopyReport> CopyLedgerInto(CarrierIdLedger& from, PostgresLedger& into) {
  using Copied = Result<LedgerCopyReport>;
  const Result<std::vector<LedgerRow>> rows = from.List({});
  if (!rows.ok()) return Copied::Failure(rows.error);
  const Result<std::vector<LedgerRewrite>> rewrites = from.Rewrites({});
  if (!rewrites.ok()) return Copied::Failure(rewrites.error);

  LedgerCopyReport report;
  for (const LedgerRow& row : rows.value) {
    const Result<Reservation> adopted = into.Adopt(row);
    if (!adopted.ok()) return Copied::Failure(adopted.error);
    if (adopted.value.granted)
      ++report.copied;
    else if (SameRow(adopted.value.row, row))
      ++report.alreadyThere;
    else
      report.conflicts.push_back({row, adopted.value.row});
  }
  for (const LedgerRewrite& rewrite : rewrites.value) {
    const Result<bool> adopted = into.AdoptRewrite(rewrite);
    if (!adopted.ok()) return Copied::Failure(adopted.error);
    if (adopted.value) ++report.rewritesCopied;
  }
  return Copied::Success(std::move(report));
}

}  // namespace torvane
