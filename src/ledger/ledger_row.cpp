#include "ledger/ledger_row.h"

#include <array>
#include <ctime>
#include <utility>

#include "platform/hex_text.h"

namespace torvane {

namespace {

constexpr std::array<std::pair<LedgerState, std::string_view>, 4> kStateNames = {{
    {LedgerState::Reserved, "reserved"},
    {LedgerState::Written, "written"},
    {LedgerState::Programmed, "programmed"},
    {LedgerState::Spent, "spent"},
}};

constexpr std::array<std::pair<LedgerSourceKind, std::string_view>, 5> kSourceNames = {{
    {LedgerSourceKind::DecimalCounter, "counter"},
    {LedgerSourceKind::CsvFile, "csv file"},
    {LedgerSourceKind::CompleteCsvFile, "csv file complete"},
    {LedgerSourceKind::FixData, "fix data"},
    {LedgerSourceKind::Manual, "manual"},
}};

template <typename Value, std::size_t N>
std::string_view NameOf(const std::array<std::pair<Value, std::string_view>, N>& names,
                        Value value) {
  for (const auto& [candidate, name] : names) {
    if (candidate == value) return name;
  }
  return {};
}

template <typename Value, std::size_t N>
std::optional<Value> ValueNamed(const std::array<std::pair<Value, std::string_view>, N>& names,
                                std::string_view wanted) {
  for (const auto& [value, name] : names) {
    if (name == wanted) return value;
  }
  return std::nullopt;
}

}  // namespace

std::string_view LedgerStateName(LedgerState state) {
  return NameOf(kStateNames, state);
}

std::optional<LedgerState> LedgerStateNamed(std::string_view name) {
  return ValueNamed(kStateNames, name);
}

std::string_view LedgerSourceKindName(LedgerSourceKind kind) {
  return NameOf(kSourceNames, kind);
}

std::optional<LedgerSourceKind> LedgerSourceKindNamed(std::string_view name) {
  return ValueNamed(kSourceNames, name);
}

std::string DescribeLedgerSource(const LedgerSource& source) {
  std::string text(LedgerSourceKindName(source.kind));
  switch (source.kind) {
    case LedgerSourceKind::DecimalCounter:
      return text + " " + source.counterValue;
    case LedgerSourceKind::CsvFile:
    case LedgerSourceKind::CompleteCsvFile:
      return text + " " + source.file + " line " + std::to_string(source.line);
    case LedgerSourceKind::FixData:
    case LedgerSourceKind::Manual:
      break;
  }
  return text;
}

std::string FormatLedgerTime(LedgerTime time) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32] = {};
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

std::string PrintableCarrierId(std::string_view carrierId) {
  bool printable = !carrierId.empty();
  for (const char c : carrierId) {
    const auto byte = static_cast<unsigned char>(c);
    printable = printable && byte >= 0x20 && byte < 0x7F;
  }
  if (printable) return std::string(carrierId);
  return "hex " + CharsToHex(carrierId);
}

}  // namespace torvane
