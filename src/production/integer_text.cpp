#include "production/integer_text.h"

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

std::uint64_t DecimalCapacity(long long digits) {
  if (digits < 1) return 0;
  if (digits > kMaxDigits) return kMax;
  std::uint64_t power = 1;
  for (long long i = 0; i < digits; ++i) power *= 10;
  return power - 1;
}

}  // namespace torvane
