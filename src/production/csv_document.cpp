#include "production/csv_document.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/atomic_file.h"
#include "platform/regular_file.h"

namespace torvane {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Spreadsheet programs begin "CSV UTF-8" files with it.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Every CR is followed by LF and every LF follows a CR: as many LF as CR LF pairs.
bool HasOnlyCrLf(std::string_view text) {
  std::size_t pairs = 0;
  for (const char* cr = static_cast<const char*>(std::memchr(text.data(), '\r', text.size()));
       cr != nullptr;) {
    const auto at = static_cast<std::size_t>(cr - text.data());
    if (at + 1 == text.size() || text[at + 1] != '\n') return false;
    ++pairs;
    cr = static_cast<const char*>(std::memchr(cr + 2, '\r', text.size() - at - 2));
  }
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) == pairs;
}

std::string WithCrLfLineEnds(std::string raw) {
  if (HasOnlyCrLf(raw)) return raw;
  const std::string_view view = raw;
  std::string text;
  text.reserve(raw.size() + raw.size() / 16);
  std::size_t start = 0;
  for (std::size_t end = view.find_first_of("\r\n"); end != std::string_view::npos;
       end = view.find_first_of("\r\n", start)) {
    text.append(view.substr(start, end - start));
    text.append(kLineEnd);
    const bool crLf = view[end] == '\r' && end + 1 < view.size() && view[end + 1] == '\n';
    start = end + (crLf ? 2 : 1);
  }
  text.append(view.substr(start));
  return text;
}

}  // namespace

Result<CsvDocument> CsvDocument::Load(const std::string& path) {
  Result<std::optional<std::string>> content = ReadRegularFileIfPresent(path);
  if (!content.ok()) return Result<CsvDocument>::Failure(content.error);
  if (!content.value) {
    return Result<CsvDocument>::Failure(path + ": " + SystemErrorText(ENOENT));
  }
  return Result<CsvDocument>::Success(CsvDocument(std::move(*content.value)));
}

CsvDocument::CsvDocument(std::string rawText) {
  byteOrderMark_ = std::string_view(rawText).starts_with(kByteOrderMark);
  if (byteOrderMark_) rawText.erase(0, kByteOrderMark.size());
  text_ = WithCrLfLineEnds(std::move(rawText));
}

std::size_t CsvDocument::LineEnd(std::size_t start) const {
  const void* found = std::memchr(text_.data() + start, '\n', text_.size() - start);
  // After normalising, LF only ever follows CR.
  if (found == nullptr) return text_.size();
  return static_cast<std::size_t>(static_cast<const char*>(found) - text_.data()) - 1;
}

std::optional<std::size_t> CsvDocument::LineStart(std::size_t index) const {
  std::size_t start = 0;
  for (std::size_t i = 0; i < index; ++i) {
    if (start >= text_.size()) return std::nullopt;
    start = LineEnd(start) + kLineEndSize;
  }
  // A final line end closes the last line; it does not open an empty one.
  if (start >= text_.size()) return std::nullopt;
  return start;
}

std::optional<std::string_view> CsvDocument::Line(std::size_t index) const {
  const std::optional<std::size_t> start = LineStart(index);
  if (!start) return std::nullopt;
  return std::string_view(text_).substr(*start, LineEnd(*start) - *start);
}

void CsvDocument::InsertIntoLine(std::size_t index, std::size_t column, std::string_view text) {
  if (const std::optional<std::size_t> start = LineStart(index))
    text_.insert(*start + column, text);
}

Status CsvDocument::Save(const std::string& path) const {
  if (!byteOrderMark_) return WriteFileAtomically(path, text_);
  return WriteFileAtomically(path, std::string(kByteOrderMark) + text_);
}

std::vector<std::string_view> SplitFields(std::string_view line, std::string_view delimiter) {
  std::vector<std::string_view> fields;
  if (delimiter.empty()) return {line};
  std::size_t start = 0;
  for (std::size_t hit = line.find(delimiter); hit != std::string_view::npos;
       hit = line.find(delimiter, start)) {
    fields.push_back(line.substr(start, hit - start));
    start = hit + delimiter.size();
  }
  fields.push_back(line.substr(start));
  return fields;
}

std::optional<std::string_view> FieldOf(std::string_view line, std::string_view delimiter,
                                        std::size_t index) {
  if (delimiter.empty()) return index == 0 ? std::optional(line) : std::nullopt;
  std::size_t start = 0;
  for (std::size_t i = 0; i < index; ++i) {
    const std::size_t hit = line.find(delimiter, start);
    if (hit == std::string_view::npos) return std::nullopt;
    start = hit + delimiter.size();
  }
  const std::size_t end = line.find(delimiter, start);
  return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

bool HasHeaderField(const std::vector<std::string_view>& header, std::string_view name) {
  return std::any_of(header.begin(), header.end(), [&](std::string_view field) {
    const std::size_t first = field.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    return field.substr(first, field.find_last_not_of(' ') - first + 1) == name;
  });
}

}  // namespace torvane
