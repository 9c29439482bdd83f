#include "ledger_csv.h"

#include "ledger/csv_field.h"
#include "platform/hex_text.h"

#include <string>
#include <string_view>

namespace torvane {

namespace {

void WriteLine(std::ostream& out, std::string_view entry, const LedgerClaim& claim,
               std::string_view state, const std::string& reserved, const std::string& changed) {
  const std::string fields[] = {std::string(entry),
                                PrintableCarrierId(claim.carrierId),
                                CharsToHex(claim.carrierId),
                                std::string(state),
                                reserved,
                                changed,
                                claim.setName,
                                std::string(LedgerSourceKindName(claim.source.kind)),
                                claim.source.counterValue,
                                claim.source.file,
                                claim.source.file.empty() ? "" : std::to_string(claim.source.line),
                                claim.uid,
                                claim.station};
  bool first = true;
  for (const std::string& field : fields) {
    if (!first) out << ',';
    out << CsvField(field);
    first = false;
  }
  out << "\r\n";
}

}  // namespace

void WriteLedgerCsv(std::ostream& out, const std::vector<LedgerRow>& rows,
                    const std::vector<LedgerRewrite>& rewrites) {
  out << "entry,carrier ID,carrier ID hex,state,reserved,changed,set,source,counter value,"
         "source file,source line,UID,station\r\n";
  for (const LedgerRow& row : rows) {
    WriteLine(out, "carrier ID", row, LedgerStateName(row.state), FormatLedgerTime(row.reservedAt),
              FormatLedgerTime(row.changedAt));
  }
  for (const LedgerRewrite& rewrite : rewrites) {
    WriteLine(out, "rewrite", rewrite, "", "", FormatLedgerTime(rewrite.time));
  }
}

}  // namespace torvane
