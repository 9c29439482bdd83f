#include "platform/decimal_text.h"

#include <algorithm>
#include <limits>

namespace torvane {

namespace {

constexpr std::uint64_t kLargest = std::numeric_limits<std::uint64_t>::max();
constexpr long long kIntegerLimit = 1'000'000'000;
constexpr long long kMaxCapacityDigits = 19;  // 10^19 - 1 is the largest capacity below 2^64

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

long long Limited(const DecimalScan& scan, long long limit) {
  const long long magnitude = static_cast<long long>(
      std::min<std::uint64_t>(scan.magnitude, static_cast<std::uint64_t>(limit)));
  return scan.negative ? -magnitude : magnitude;
}

}  // namespace

DecimalScan ScanDecimal(std::string_view text) {
  DecimalScan scan;
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) scan.negative = text[i++] == '-';
  bool fits = true;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    scan.digits = true;
    const auto digit = static_cast<std::uint64_t>(text[i] - '0');
    if (scan.magnitude > (kLargest - digit) / 10) {
      fits = false;
      scan.magnitude = kLargest;
    } else {
      scan.magnitude = scan.magnitude * 10 + digit;
    }
  }
  scan.whole = scan.digits && fits && i == text.size() && (text[0] >= '0' && text[0] <= '9');
  return scan;
}

std::uint64_t ReadDecimal(std::string_view text) {
  const DecimalScan scan = ScanDecimal(text);
  return scan.negative ? 0 : scan.magnitude;
}

std::optional<std::uint64_t> ReadWholeDecimal(std::string_view text) {
  const DecimalScan scan = ScanDecimal(text);
  if (!scan.whole) return std::nullopt;
  return scan.magnitude;
}

long long ReadInteger(std::string_view text) {
  return Limited(ScanDecimal(text), kIntegerLimit);
}

std::int32_t DecimalValue(std::string_view text) {
  return static_cast<std::int32_t>(
      Limited(ScanDecimal(text), std::numeric_limits<std::int32_t>::max()));
}

std::string ZeroPadded(std::string_view text, std::size_t width) {
  if (text.size() >= width) return std::string(text);
  return std::string(width - text.size(), '0') + std::string(text);
}

std::string CounterCarrierId(std::string_view value, std::size_t width) {
  return ZeroPadded(std::to_string(ReadDecimal(value)), width);
}

std::uint64_t DecimalCapacity(long long digits) {
  if (digits < 1) return 0;
  if (digits > kMaxCapacityDigits) return kLargest;
  std::uint64_t power = 1;
  for (long long i = 0; i < digits; ++i) power *= 10;
  return power - 1;
}

}  // namespace torvane
