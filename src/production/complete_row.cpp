#include "production/complete_row.h"

#include "platform/decimal_text.h"
#include "platform/hex_text.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {

constexpr std::size_t kPageBytes = kBytesPerPage;
constexpr long long kCarrierIdArea = 16;

bool IsHexBytes(std::string_view digits) {
  return digits.size() % 2 == 0 && IsHexDigits(digits);
}

}  // namespace

CompleteRow CompleteRow::FromFields(const std::vector<std::string_view>& fields) {
  const auto field = [&](std::size_t i) {
    return i < fields.size() ? std::string(fields[i]) : std::string();
  };
  CompleteRow row;
  row.format = field(0);
  row.offset = field(1);
  row.length = field(2);
  row.carrierId = field(kCarrierIdField);
  row.lockCarrierId = field(4);
  for (std::size_t p = 0; p < kUserPageCount; ++p) {
    row.pageData[p] = field(5 + 2 * p);
    row.lockPage[p] = field(6 + 2 * p);
  }
  return row;
}

std::vector<std::string> CompleteRow::HeaderNames() {
  std::vector<std::string> names = {"Carrier ID format", "Carrier ID offset", "Carrier ID length",
                                    "Carrier ID", "Lock Carrier ID"};
  for (int page = kFirstUserPage; page <= kPageCount; ++page) {
    names.push_back("page" + std::to_string(page));
    names.push_back("Lock page" + std::to_string(page));
  }
  names.push_back("done");
  return names;
}

bool CompleteRow::IsWritable() const {
  const long long bytes = ReadInteger(length);
  const long long start = ReadInteger(offset);
  if (carrierId.empty() || bytes < 1 || start < 0 || start + bytes > kCarrierIdArea) return false;
  if (format == "A") {
    if (static_cast<long long>(carrierId.size()) != bytes) return false;
    for (const std::string& data : pageData) {
      if (data.size() > kPageBytes) return false;
    }
    return true;
  }
  if (format == "X") {
    if (static_cast<long long>(carrierId.size()) != 2 * bytes || !IsHexDigits(carrierId)) {
      return false;
    }
    for (const std::string& data : pageData) {
      if (data.size() > 2 * kPageBytes || !IsHexBytes(data)) return false;
    }
    return true;
  }
  return false;
}

std::vector<unsigned char> CompleteRow::Bytes(std::string_view field) const {
  const std::string bytes = format == "X" ? HexToChars(field) : std::string(field);
  return {bytes.begin(), bytes.end()};
}

}  // namespace torvane
