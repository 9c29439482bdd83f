// A complete row that passes as writable is exactly what the cycle writes: a
// carrier ID of its stated length that lies inside pages 1 and 2, in its
// format's bytes, and page data of at most one page each.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <string>

#include "fuzz_support.h"
#include "platform/decimal_text.h"
#include "platform/hex_text.h"
#include "production/complete_row.h"
#include "production/csv_document.h"

namespace {

constexpr long long kCarrierIdArea = 16;
constexpr std::size_t kPageBytes = 8;

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string delimiter = input.ConsumeBool() ? ";" : ",";
  const std::string line = input.ConsumeRemainingBytesAsString();
  const torvane::CompleteRow row =
      torvane::CompleteRow::FromFields(torvane::SplitFields(line, delimiter));
  if (!row.IsWritable()) return 0;

  const long long offset = torvane::ReadInteger(row.offset);
  const std::vector<unsigned char> carrierId = row.Bytes(row.carrierId);
  FUZZ_CHECK(!carrierId.empty());
  FUZZ_CHECK(static_cast<long long>(carrierId.size()) == torvane::ReadInteger(row.length));
  FUZZ_CHECK(offset >= 0 && offset + static_cast<long long>(carrierId.size()) <= kCarrierIdArea);
  const std::string bytes(carrierId.begin(), carrierId.end());
  FUZZ_CHECK(row.format == "X" ? torvane::CharsToHex(bytes) == Upper(row.carrierId)
                               : bytes == row.carrierId);
  for (const std::string& page : row.pageData) {
    const std::vector<unsigned char> pageBytes = row.Bytes(page);
    FUZZ_CHECK(pageBytes.size() <= kPageBytes);
    if (row.format == "X") {
      FUZZ_CHECK(torvane::CharsToHex(std::string(pageBytes.begin(), pageBytes.end())) ==
                 Upper(page));
    }
  }
  return 0;
}
