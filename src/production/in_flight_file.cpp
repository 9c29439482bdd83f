#include "production/in_flight_file.h"

#include <array>
#include <sstream>
#include <string_view>

#include "platform/atomic_file.h"
#include "platform/decimal_text.h"
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
  return text;
}

bool ParseInto(std::string_view key, const std::string& value, InFlightEntry& entry) {
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
      HasLineEnd(entry.delimiter)) {
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
