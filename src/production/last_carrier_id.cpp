#include "production/last_carrier_id.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <map>

#include "platform/decimal_text.h"
#include "platform/hex_text.h"
#include "platform/regular_file.h"
#include "transponder/page_codec.h"

namespace torvane {

namespace {

// One record of all 17 pages, escaped, fits several times.
constexpr off_t kTailRead = 16384;
constexpr int kPage1Column = 6;
constexpr int kPage2Column = 9;
constexpr std::string_view kDataStart = "<Data ss:Type=\"String\">";
constexpr std::string_view kDataEnd = "</Data>";

std::string_view Trimmed(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

// The column a cell line names, or the one after `previous`.
int CellColumn(std::string_view line, int previous) {
  constexpr std::string_view kIndex = "ss:Index=\"";
  const std::size_t at = line.find(kIndex);
  if (at == std::string_view::npos) return previous + 1;
  return static_cast<int>(ReadInteger(line.substr(at + kIndex.size(), 4)));
}

std::string CellText(std::string_view line) {
  const std::size_t start = line.find(kDataStart);
  if (start == std::string_view::npos) return {};
  const std::size_t from = start + kDataStart.size();
  const std::size_t end = line.find(kDataEnd, from);
  return std::string(line.substr(from, end == std::string_view::npos ? end : end - from));
}

// Pages 1 and 2 of the last whole row that holds both as HEX text, joined.
std::optional<std::string> LastCarrierIdPages(std::string_view text) {
  std::optional<std::string> found;
  std::map<int, std::string> cells;
  bool inRow = false;
  int column = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line == "<Row>") {
      inRow = true;
      cells.clear();
      column = 0;
    } else if (inRow && line.starts_with("<Cell")) {
      column = CellColumn(line, column);
      cells[column] = CellText(line);
    } else if (inRow && line == "</Row>") {
      inRow = false;
      const std::string& page1 = cells[kPage1Column];
      const std::string& page2 = cells[kPage2Column];
      if (IsPageTextValid(page1, PageForm::Hex) && IsPageTextValid(page2, PageForm::Hex)) {
        found = page1 + page2;
      }
    }
  }
  return found;
}

std::size_t Number(const std::string& text, std::size_t limit) {
  return static_cast<std::size_t>(
      std::clamp<long long>(ReadInteger(text), 0, static_cast<long long>(limit)));
}

}  // namespace

std::optional<std::uint64_t> NextCarrierIdAfter(std::string_view recordFileTail,
                                                const ConfigurationSet& set) {
  const std::optional<std::string> pages = LastCarrierIdPages(recordFileTail);
  if (!pages) return std::nullopt;
  std::string digits = *pages;
  std::erase(digits, ' ');
  const std::string bytes = HexToChars(digits);
  const std::size_t offset = Number(set.carrierIdOffset, bytes.size());
  const std::size_t length = Number(set.carrierIdLength, bytes.size() - offset);
  const std::string carrierId = bytes.substr(offset, length);
  return ReadDecimal(carrierId) + 1;
}

std::optional<std::uint64_t> NextCarrierIdAfterFile(const std::string& path,
                                                    const ConfigurationSet& set) {
  const Result<FileDescriptor> file = OpenRegularFile(path, O_RDONLY);
  if (!file.ok()) return std::nullopt;
  const int fd = file.value.fd();
  struct stat info {};
  std::string tail;
  if (fstat(fd, &info) == 0) {
    const off_t start = std::max<off_t>(0, info.st_size - kTailRead);
    tail.resize(static_cast<std::size_t>(info.st_size - start));
    const ssize_t got = pread(fd, tail.data(), tail.size(), start);
    tail.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  }
  return NextCarrierIdAfter(tail, set);
}

}  // namespace torvane
