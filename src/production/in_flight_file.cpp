#include "production/in_flight_file.h"

#include <array>
#include <sstream>
#include <string_view>

#include "platform/atomic_file.h"
#include "platform/decimal_text.h"
#include "platform/hex_text.h"
#include "platform/regular_file.h"

namespace torvane {

namespace {

constexpr std::array<std::pair<SourceKind, std::string_view>, 3> kSourceNames = {{
    {SourceKind::DecimalCounter, "decimal counter"},
    {SourceKind::CsvFile, "csv file"},
    {SourceKind::CompleteCsvFile, "csv file complete"},
}};

std::string_view SourceName(SourceKind kind) {
  for (const auto& [source, name] : kSourceNames) {
    if (source == kind) return name;
  }
  return {};
}

bool HasLineEnd(std::string_view value) {
  return value.find_first_of("\r\n") != std::string_view::npos;
}

// "key=value" lines; a value is taken exactly as it stands, blanks included.
std::string Render(const InFlightEntry& entry) {
  std::string text;
  const auto line = [&](std::string_view key, std::string_view value) {
    text.append(key).append("=").append(value).append("\r\n");
  };
  line("source", SourceName(entry.source));
  line("set", entry.setName);
  line("carrier id", entry.carrierId);
  line("csv file", entry.csvFile);
  line("delimiter", entry.delimiter);
  line("line", std::to_string(entry.lineIndex));
  // Bytes of any value, a carrier ID's and the ledger's key: hexadecimal digits.
  for (const InFlightEntry::UnsavedLine& unsaved : entry.unsavedLines) {
    line("unsaved line", std::to_string(unsaved.lineIndex) + " " + CharsToHex(unsaved.carrierId));
  }
  line("ledger id", CharsToHex(entry.ledgerId));
  line("uid", entry.uid);
  line("token", entry.token);
  if (entry.unmarked) line("unmarked", LedgerStateName(*entry.unmarked));
  const RecordInFlight& record = entry.record;
  if (record.file.empty()) return text;
  line("record file", record.file);
  line("record file size", std::to_string(record.fileSize));
  line("record header due", record.headerDue ? "1" : "0");
  line("record time", record.stamp);
  for (std::size_t i = 0; i < record.pages.size(); ++i) {
    const RecordedPage& page = record.pages[i];
    if (page.hexText.empty() && page.asciiText.empty()) continue;
    // Texts of any bytes: hexadecimal digits, one blank between.
    line("record page " + std::to_string(i + 1),
         CharsToHex(page.hexText) + " " + CharsToHex(page.asciiText) + (page.lockMark ? " X" : ""));
  }
  return text;
}

// "record page N": its two texts and the lock mark.
bool ParseRecordPage(std::string_view number, const std::string& value, RecordedPages& pages) {
  const std::optional<std::uint64_t> page = ReadWholeDecimal(number);
  if (!page || *page < 1 || *page > pages.size()) return false;
  std::istringstream fields(value);
  std::string hex;
  std::string ascii;
  std::string lock;
  fields >> hex >> ascii >> lock;
  const std::optional<std::string> hexText = HexBytes(hex);
  const std::optional<std::string> asciiText = HexBytes(ascii);
  if (!hexText || !asciiText || (!lock.empty() && lock != "X")) return false;
  pages[*page - 1] = {*hexText, *asciiText, lock == "X"};
  return true;
}

bool ParseRecordInto(std::string_view key, const std::string& value, RecordInFlight& record) {
  constexpr std::string_view kPage = "record page ";
  if (key.starts_with(kPage)) return ParseRecordPage(key.substr(kPage.size()), value, record.pages);
  if (key == "record file") record.file = value;
  if (key == "record header due") record.headerDue = value == "1";
  if (key == "record time") record.stamp = value;
  if (key == "record file size") {
    const std::optional<std::uint64_t> size = ReadWholeDecimal(value);
    if (!size) return false;
    record.fileSize = *size;
  }
  return true;
}

// "unsaved line": its number and its carrier ID in hexadecimal digits.
bool ParseUnsavedLine(const std::string& value, InFlightEntry& entry) {
  const auto blank = value.find(' ');
  if (blank == std::string::npos) return false;
  const std::optional<std::uint64_t> line = ReadWholeDecimal(value.substr(0, blank));
  const std::optional<std::string> carrierId = HexBytes(value.substr(blank + 1));
  if (!line || !carrierId) return false;
  entry.unsavedLines.push_back({*line, *carrierId});
  return true;
}

bool ParseInto(std::string_view key, const std::string& value, InFlightEntry& entry) {
  if (key.starts_with("record ")) return ParseRecordInto(key, value, entry.record);
  if (key == "unsaved line") return ParseUnsavedLine(value, entry);
  if (key == "source") {
    for (const auto& [source, name] : kSourceNames) {
      if (name == value) {
        entry.source = source;
        return true;
      }
    }
    return false;
  }
  if (key == "set") entry.setName = value;
  if (key == "carrier id") entry.carrierId = value;
  if (key == "csv file") entry.csvFile = value;
  if (key == "delimiter") entry.delimiter = value;
  if (key == "uid") entry.uid = value;
  if (key == "token") entry.token = value;
  if (key == "unmarked") {
    entry.unmarked = LedgerStateNamed(value);
    if (!entry.unmarked) return false;
  }
  if (key == "ledger id") {
    const std::optional<std::string> bytes = HexBytes(value);
    if (!bytes) return false;
    entry.ledgerId = *bytes;
  }
  if (key == "line") {
    const std::optional<std::uint64_t> line = ReadWholeDecimal(value);
    if (!line) return false;
    entry.lineIndex = *line;
  }
  return true;
}

}  // namespace

InFlightFile::InFlightFile(const std::string& workingDirectory)
    : path_(workingDirectory + "/" + kFileName) {}

Status InFlightFile::Write(const InFlightEntry& entry) const {
  if (HasLineEnd(entry.setName) || HasLineEnd(entry.carrierId) || HasLineEnd(entry.csvFile) ||
      HasLineEnd(entry.delimiter) || HasLineEnd(entry.uid) || HasLineEnd(entry.record.file) ||
      HasLineEnd(entry.record.stamp)) {
    return Status::Failure("Cannot save " + path_ + ": a value holds a line end");
  }
  return WriteFileAtomically(path_, Render(entry));
}

Result<std::optional<InFlightEntry>> InFlightFile::Read() const {
  using Found = Result<std::optional<InFlightEntry>>;
  const Result<std::optional<std::string>> text = ReadRegularFileIfPresent(path_);
  if (!text.ok()) return Found::Failure(text.error);
  if (!text.value) return Found::Success(std::nullopt);
  std::istringstream file(*text.value);
  InFlightEntry entry;
  bool sourceSeen = false;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (!ParseInto(key, value, entry)) return Found::Failure(path_ + ": unreadable entry " + line);
    sourceSeen = sourceSeen || key == "source";
  }
  if (!sourceSeen) return Found::Failure(path_ + ": no source");
  return Found::Success(entry);
}

Status InFlightFile::Clear() const {
  return RemoveFileDurably(path_);
}

}  // namespace torvane
