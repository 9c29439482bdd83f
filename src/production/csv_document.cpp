#include "production/csv_document.h"

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>

#include "platform/atomic_file.h"

namespace torvane {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string WithCrLfLineEnds(std::string_view raw) {
  std::string text;
  text.reserve(raw.size() + raw.size() / 16);
  std::size_t start = 0;
  for (std::size_t end = raw.find_first_of("\r\n"); end != std::string_view::npos;
       end = raw.find_first_of("\r\n", start)) {
    text.append(raw.substr(start, end - start));
    text.append(kLineEnd);
    const bool crLf = raw[end] == '\r' && end + 1 < raw.size() && raw[end + 1] == '\n';
    start = end + (crLf ? 2 : 1);
  }
  text.append(raw.substr(start));
  return text;
}

}  // namespace

Result<CsvDocument> CsvDocument::Load(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return Result<CsvDocument>::Failure(path + ": " + SystemErrorText(errno));
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) return Result<CsvDocument>::Failure(path + ": " + SystemErrorText(errno));
  return Result<CsvDocument>::Success(CsvDocument(content.view()));
}

CsvDocument::CsvDocument(std::string_view rawText) : text_(WithCrLfLineEnds(rawText)) {
  IndexLines();
}

void CsvDocument::IndexLines() {
  lineStarts_.clear();
  // A final line end closes the last line; it does not open an empty one.
  for (std::size_t start = 0; start < text_.size();) {
    lineStarts_.push_back(start);
    const std::size_t end = text_.find(kLineEnd, start);
    if (end == std::string::npos) break;
    start = end + kLineEnd.size();
  }
}

std::string_view CsvDocument::Line(std::size_t index) const {
  const std::string_view all = text_;
  const std::size_t start = lineStarts_.at(index);
  const std::size_t end = all.find(kLineEnd, start);
  return all.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

void CsvDocument::InsertIntoLine(std::size_t index, std::size_t column, std::string_view text) {
  text_.insert(lineStarts_.at(index) + column, text);
  for (std::size_t later = index + 1; later < lineStarts_.size(); ++later) {
    lineStarts_[later] += text.size();
  }
}

Status CsvDocument::Save(const std::string& path) const {
  return WriteFileAtomically(path, text_);
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

bool HasHeaderField(const std::vector<std::string_view>& header, std::string_view name) {
  return std::any_of(header.begin(), header.end(), [&](std::string_view field) {
    const std::size_t first = field.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    return field.substr(first, field.find_last_not_of(' ') - first + 1) == name;
  });
}

}  // namespace torvane
