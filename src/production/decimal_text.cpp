#include "production/decimal_text.h"

#include <algorithm>
#include <limits>

namespace torvane {

namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
constexpr long long kIntegerLimit = 1'000'000'000;
constexpr long long kMaxDigits = 19;  // 10^19 - 1 is the largest capacity below 2^64

std::size_t SkipBlanks(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  return i;
}

}  // namespace

std::uint64_t ReadUnsignedDecimal(std::string_view text) {
  std::size_t i = SkipBlanks(text);
  if (i < text.size() && text[i] == '+') ++i;
  std::uint64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const auto digit = static_cast<std::uint64_t>(text[i] - '0');
    if (value > (kMax - digit) / 10) return kMax;
    value = value * 10 + digit;
  }
  return value;
}

long long ReadInteger(std::string_view text) {
  std::size_t i = SkipBlanks(text);
  const bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min(value * 10 + (text[i] - '0'), kIntegerLimit);
  }
  return negative ? -value : value;
}

std::string WithLeadingZeros(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

std::uint64_t DecimalCapacity(long long digits) {
  if (digits < 1) return 0;
  if (digits > kMaxDigits) return kMax;
  std::uint64_t power = 1;
  for (long long i = 0; i < digits; ++i) power *= 10;
  return power - 1;
}

}  // namespace torvane
