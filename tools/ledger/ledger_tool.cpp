#include "ledger_tool.h"

#include <ctime>
#include <fstream>
#include <optional>

#include "ledger/ledger_copy.h"
#include "ledger/ledger_settings.h"
#include "ledger/postgres_ledger.h"
#include "ledger_csv.h"
#include "platform/hex_text.h"
#include "platform/profile.h"

namespace torvane {

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

constexpr const char* kUsageText =
    "usage: torvane-ledger [--database PATH|URL] COMMAND\n"
    "       torvane-ledger --help\n"
    "  id CARRIER_ID          the row of a carrier ID (as written, e.g. 0000000000000005)\n"
    "  id --hex DIGITS        the same, the bytes as hexadecimal digits\n"
    "  set NAME               the rows of a configuration set\n"
    "  range FROM TO          the rows reserved from FROM up to TO (local time,\n"
    "                         YYYY-MM-DD or \"YYYY-MM-DD HH:MM[:SS]\")\n"
    "  export [FILE]          every row and rewrite as CSV, to FILE or standard output\n"
    "  copy-to URL            every row and rewrite into the PostgreSQL ledger at URL;\n"
    "                         an ID both hold is listed and left as URL has it\n"
    "  init URL               creates the ledger's tables in the PostgreSQL database at\n"
    "                         URL, or brings them to this version; run as its owner\n"
    "set and range print \"no rows\" and end with 1 when they find none.\n"
    "The ledger is the one of [Ledger] database= in Torvane.ini in the current folder\n"
    "(Torvane.ledger when none is set). No command creates a ledger file.\n";

struct Command {
  std::optional<std::string> database;
  std::vector<std::string> words;
};

std::optional<Command> Parse(const std::vector<std::string>& arguments) {
  Command command;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--database" && i + 1 < arguments.size()) {
      command.database = arguments[++i];
    } else if (arguments[i] == "--database") {
      return std::nullopt;
    } else {
      command.words.push_back(arguments[i]);
    }
  }
  if (command.words.empty()) return std::nullopt;
  return command;
}

std::optional<LedgerTime> LocalTime(const std::string& text) {
  for (const char* format : {"%Y-%m-%d %H:%M:%S", "%Y-%m-%d %H:%M", "%Y-%m-%d"}) {
    std::tm local{};
    local.tm_isdst = -1;
    const char* end = strptime(text.c_str(), format, &local);
    if (end == nullptr || *end != '\0') continue;
    const std::time_t seconds = std::mktime(&local);
    if (seconds == -1) return std::nullopt;
    // Not through system_clock, whose nanoseconds end in the year 2262.
    return LedgerTime(std::chrono::seconds(seconds));
  }
  return std::nullopt;
}

void PrintRow(std::ostream& out, const LedgerRow& row) {
  out << PrintableCarrierId(row.carrierId) << "  " << LedgerStateName(row.state) << "  "
      << FormatLedgerTime(row.state == LedgerState::Reserved ? row.reservedAt : row.changedAt)
      << "  set \"" << row.setName << "\"  station \"" << row.station << "\"  UID "
      << (row.uid.empty() ? "unknown" : row.uid) << "  " << DescribeLedgerSource(row.source)
      << "\n";
}

void PrintRewrite(std::ostream& out, const LedgerRewrite& rewrite) {
  out << PrintableCarrierId(rewrite.carrierId) << "  written again  "
      << FormatLedgerTime(rewrite.time) << "  set \"" << rewrite.setName << "\"  station \""
      << rewrite.station << "\"  UID " << (rewrite.uid.empty() ? "unknown" : rewrite.uid) << "  "
      << DescribeLedgerSource(rewrite.source) << "\n";
}

int LookUp(CarrierIdLedger& ledger, const std::string& carrierId, std::ostream& out,
           std::ostream& err) {
  const auto row = ledger.LookUp(carrierId);
  LedgerQuery query;
  query.carrierId = carrierId;
  const auto rewrites = ledger.Rewrites(query);
  if (!row.ok() || !rewrites.ok()) {
    err << (row.ok() ? rewrites.error : row.error) << "\n";
    return kFailed;
  }
  if (row.value) PrintRow(out, *row.value);
  for (const LedgerRewrite& rewrite : rewrites.value) PrintRewrite(out, rewrite);
  if (!row.value && rewrites.value.empty()) {
    err << "carrier ID " << PrintableCarrierId(carrierId) << " is not in the ledger\n";
    return kFailed;
  }
  return kDone;
}

int List(CarrierIdLedger& ledger, const LedgerQuery& query, std::ostream& out, std::ostream& err) {
  const auto rows = ledger.List(query);
  const auto rewrites = ledger.Rewrites(query);
  if (!rows.ok() || !rewrites.ok()) {
    err << (rows.ok() ? rewrites.error : rows.error) << "\n";
    return kFailed;
  }
  for (const LedgerRow& row : rows.value) PrintRow(out, row);
  for (const LedgerRewrite& rewrite : rewrites.value) PrintRewrite(out, rewrite);
  // A script tells an empty answer (a set name mistyped, say) from one with rows.
  if (rows.value.empty() && rewrites.value.empty()) {
    out << "no rows\n";
    return kFailed;
  }
  return kDone;
}

int Export(CarrierIdLedger& ledger, const std::vector<std::string>& words, std::ostream& out,
           std::ostream& err) {
  const auto rows = ledger.List({});
  const auto rewrites = ledger.Rewrites({});
  if (!rows.ok() || !rewrites.ok()) {
    err << (rows.ok() ? rewrites.error : rows.error) << "\n";
    return kFailed;
  }
  if (words.size() == 1) {
    WriteLedgerCsv(out, rows.value, rewrites.value);
    return kDone;
  }
  std::ofstream file(words[1], std::ios::binary | std::ios::trunc);
  if (file) WriteLedgerCsv(file, rows.value, rewrites.value);
  file.close();
  if (!file) {
    err << words[1] << ": cannot be written\n";
    return kFailed;
  }
  return kDone;
}

// The PostgreSQL ledger named on the command line; refused with the exit code to give.
Result<std::unique_ptr<PostgresLedger>> SharedLedger(const std::string& url, int& refusal) {
  using Shared = Result<std::unique_ptr<PostgresLedger>>;
  const Result<LedgerPlace> place = LedgerPlaceOf(url, ".");
  refusal = place.ok() && place.value.kind != LedgerKind::Postgres ? kUsage : kFailed;
  if (!place.ok()) return Shared::Failure(place.error);
  if (place.value.kind != LedgerKind::Postgres)
    return Shared::Failure(
        "not a PostgreSQL URL (postgresql://user@host/database) or "
        "connection string (host=... dbname=...): " +
        url);
  return PostgresLedger::Open(place.value.where);
}

int Init(const std::string& url, std::ostream& out, std::ostream& err) {
  int refusal = kFailed;
  Result<std::unique_ptr<PostgresLedger>> shared = SharedLedger(url, refusal);
  Status done = shared.ok() ? shared.value->Initialise() : Status::Failure(shared.error);
  if (!done.ok()) {
    err << done.error << "\n";
    return refusal;
  }
  out << "the ledger's tables are at version " << PostgresLedger::kSchemaVersion << "\n";
  return kDone;
}

int CopyTo(CarrierIdLedger& ledger, const std::string& url, std::ostream& out, std::ostream& err) {
  int refusal = kFailed;
  Result<std::unique_ptr<PostgresLedger>> shared = SharedLedger(url, refusal);
  if (!shared.ok()) {
    err << shared.error << "\n";
    return refusal;
  }
  const Result<LedgerCopyReport> copied = CopyLedgerInto(ledger, *shared.value);
  if (!copied.ok()) {
    err << copied.error << "\n";
    return kFailed;
  }
  const LedgerCopyReport& report = copied.value;
  out << report.copied << " rows copied, " << report.alreadyThere << " there already, "
      << report.rewritesCopied << " rewrites copied\n";
  for (const LedgerConflict& conflict : report.conflicts) {
    out << "held by both, left as the shared ledger has it:\n  this ledger:   ";
    PrintRow(out, conflict.station);
    out << "  shared ledger: ";
    PrintRow(out, conflict.shared);
  }
  return report.conflicts.empty() ? kDone : kFailed;
}

int Run(CarrierIdLedger& ledger, const std::vector<std::string>& words, std::ostream& out,
        std::ostream& err) {
  const std::string& verb = words[0];
  if (verb == "id" && words.size() == 2) return LookUp(ledger, words[1], out, err);
  if (verb == "id" && words.size() == 3 && words[1] == "--hex") {
    const std::optional<std::string> bytes = words[2].empty() ? std::nullopt : HexBytes(words[2]);
    if (bytes) return LookUp(ledger, *bytes, out, err);
    err << "not hexadecimal digit pairs: " << words[2] << "\n";
    return kUsage;
  }
  if (verb == "set" && words.size() == 2) {
    LedgerQuery query;
    query.setName = words[1];
    return List(ledger, query, out, err);
  }
  if (verb == "range" && words.size() == 3) {
    LedgerQuery query;
    query.from = LocalTime(words[1]);
    query.to = LocalTime(words[2]);
    if (query.from && query.to) return List(ledger, query, out, err);
    err << "not a time (YYYY-MM-DD or \"YYYY-MM-DD HH:MM[:SS]\"): "
        << (query.from ? words[2] : words[1]) << "\n";
    return kUsage;
  }
  if (verb == "export" && words.size() <= 2) return Export(ledger, words, out, err);
  if (verb == "copy-to" && words.size() == 2) return CopyTo(ledger, words[1], out, err);
  err << kUsageText;
  return kUsage;
}

}  // namespace

int RunLedgerTool(const std::vector<std::string>& arguments, const std::string& workingDirectory,
                  std::ostream& out, std::ostream& err) {
  for (const std::string& argument : arguments) {
    if (argument == "--help" || argument == "-h") {
      out << kUsageText;
      return kDone;
    }
  }
  const std::optional<Command> command = Parse(arguments);
  if (!command) {
    err << kUsageText;
    return kUsage;
  }
  if (command->words.size() == 2 && command->words[0] == "init")
    return Init(command->words[1], out, err);
  LedgerSettings settings;
  if (command->database) {
    settings.database = *command->database;
  } else {
    const Result<ProfileFile> ini = ProfileFile::Load(workingDirectory + "/Torvane.ini");
    if (!ini.ok()) {
      err << ini.error << "\n";
      return kFailed;
    }
    settings = ReadLedgerSettings(ini.value);
  }
  Result<std::unique_ptr<CarrierIdLedger>> ledger = OpenCarrierIdLedger(settings, workingDirectory);
  if (!ledger.ok()) {
    err << ledger.error << "\n";
    return kFailed;
  }
  return Run(*ledger.value, command->words, out, err);
}

}  // namespace torvane
