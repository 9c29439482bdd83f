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
  buffer_ = WithCrLfLineEnds(std::move(rawText));
  gapAt_ = buffer_.size();
}

std::size_t CsvDocument::LineEnd(std::size_t start) const {
  const bool beforeGap = start < gapAt_;
  const std::size_t from = beforeGap ? start : start + gapSize_;
  const std::size_t to = beforeGap ? gapAt_ : buffer_.size();
  const void* found = std::memchr(buffer_.data() + from, '\n', to - from);
  // After normalising, LF only ever follows CR; the gap only ends the text
  // when nothing follows it.
  if (found == nullptr) return beforeGap ? gapAt_ : size();
  const auto at = static_cast<std::size_t>(static_cast<const char*>(found) - buffer_.data());
  return (beforeGap ? at : at - gapSize_) - 1;
}

std::string_view CsvDocument::View(std::size_t start, std::size_t length) const {
  return std::string_view(buffer_).substr(start < gapAt_ ? start : start + gapSize_, length);
}

std::optional<CsvLine> CsvDocument::Line(std::size_t index, CsvLine from) const {
  std::optional<CsvLine> found;
  ForEachLine(
      [&](const CsvLine& line) {
        if (line.index < index) return true;
        found = line;
        return false;
      },
      from.index <= index ? from : CsvLine{});
  return found;
}

void CsvDocument::MoveGapTo(std::size_t position) {
  char* bytes = buffer_.data();
  if (position < gapAt_) {
    std::memmove(bytes + position + gapSize_, bytes + position, gapAt_ - position);
  } else if (position > gapAt_) {
    std::memmove(bytes + gapAt_, bytes + gapAt_ + gapSize_, position - gapAt_);
  }
  gapAt_ = position;
}

void CsvDocument::InsertIntoLine(const CsvLine& line, std::size_t column, std::string_view text) {
  const std::size_t lineEnd = line.start + line.text.size() + text.size();
  MoveGapTo(line.start + column);
  if (gapSize_ < text.size()) {
    // Room for many more marks, so the text after the gap moves seldom.
    const std::size_t widening = std::max(text.size(), buffer_.size() / 64 + 256);
    buffer_.insert(gapAt_, widening, '\0');
    gapSize_ += widening;
  }
  text.copy(buffer_.data() + gapAt_, text.size());
  gapAt_ += text.size();
  gapSize_ -= text.size();
  MoveGapTo(lineEnd < size() ? lineEnd + kLineEndSize : size());
}

std::string CsvDocument::text() const {
  std::string whole(View(0, gapAt_));
  return whole.append(View(gapAt_, size() - gapAt_));
}

Result<FileIdentity> CsvDocument::Save(const std::string& path) const {
  const std::string_view pieces[] = {byteOrderMark_ ? kByteOrderMark : std::string_view(),
                                     View(0, gapAt_), View(gapAt_, size() - gapAt_)};
  return ReplaceFileAtomically(path, pieces);
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
