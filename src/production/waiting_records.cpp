#include "production/waiting_records.h"

#include <cerrno>
#include <charconv>
#include <cstdio>

#include "platform/atomic_file.h"
#include "platform/regular_file.h"

namespace torvane {

namespace {

// Each field is "<name> <byte count>\n" followed by its bytes and "\n", so any
// bytes at all fit.
void PutField(std::string& out, std::string_view name, std::string_view value) {
  out += name;
  out += ' ';
  out += std::to_string(value.size());
  out += '\n';
  out += value;
  out += '\n';
}

class FieldReader {
 public:
  explicit FieldReader(std::string_view text) : text_(text) {}

  bool atEnd() const { return position_ == text_.size(); }

  bool Take(std::string_view name, std::string& value) {
    const std::size_t lineEnd = text_.find('\n', position_);
    if (lineEnd == std::string_view::npos) return false;
    const std::string_view line = text_.substr(position_, lineEnd - position_);
    if (line.size() <= name.size() || line.substr(0, name.size()) != name ||
        line[name.size()] != ' ') {
      return false;
    }
    std::size_t length = 0;
    const std::string_view digits = line.substr(name.size() + 1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), length);
    if (error != std::errc() || end != digits.data() + digits.size()) return false;
    const std::size_t start = lineEnd + 1;
    if (length > text_.size() - start || start + length >= text_.size() ||
        text_[start + length] != '\n') {
      return false;
    }
    value = std::string(text_.substr(start, length));
    position_ = start + length + 1;
    return true;
  }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

}  // namespace

Status WaitingRecords::Load() {
  records_.clear();
  const Result<std::optional<std::string>> text = ReadRegularFileIfPresent(storePath_);
  if (!text.ok()) return Status::Failure(text.error);
  if (!text.value) return Status::Success();  // nothing waits
  FieldReader reader(*text.value);
  while (!reader.atEnd()) {
    WaitingRecord record;
    std::string headerDue;
    if (!reader.Take("path", record.path) || !reader.Take("headerDue", headerDue) ||
        !reader.Take("header", record.header) || !reader.Take("rows", record.rows)) {
      records_.clear();
      const std::string aside = storePath_ + ".unreadable";
      if (std::rename(storePath_.c_str(), aside.c_str()) != 0) {
        return Status::Failure(storePath_ +
                               " can't be read and can't be set aside: " + SystemErrorText(errno));
      }
      return Status::Failure(storePath_ + " can't be read; it was kept as " + aside);
    }
    record.headerDue = headerDue == "1";
    record.onDisk = true;
    records_.push_back(std::move(record));
  }
  return Status::Success();
}

Status WaitingRecords::Save() {
  if (records_.empty()) {
    if (std::remove(storePath_.c_str()) != 0 && errno != ENOENT) {
      return Status::Failure(storePath_ + ": " + SystemErrorText(errno));
    }
    return Status::Success();
  }
  std::string text;
  for (const WaitingRecord& record : records_) {
    PutField(text, "path", record.path);
    PutField(text, "headerDue", record.headerDue ? "1" : "0");
    PutField(text, "header", record.header);
    PutField(text, "rows", record.rows);
  }
  const Status saved = WriteFileAtomically(storePath_, text);
  if (!saved.ok()) return Status::Failure(storePath_ + ": " + saved.error);
  for (WaitingRecord& record : records_) record.onDisk = true;
  return saved;
}

}  // namespace torvane
