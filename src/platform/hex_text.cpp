#include "platform/hex_text.h"

#include <algorithm>
#include <cctype>

namespace torvane {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

char ByteOfDigits(char high, char low) {
  const unsigned value = HexDigitValue(high) * 16u + (HexDigitValue(low) & 0x0Fu);
  return static_cast<char>(value & 0xFFu);
}

char UpperCase(char c) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

}  // namespace

std::uint8_t HexDigitValue(char digit) {
  // Codes 0x80 to 0xFF are negative here and so take the branch of the digits.
  const auto code = static_cast<signed char>(digit);
  return static_cast<std::uint8_t>(code > '9' ? code - 55 : code - 48);
}

bool IsHexDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
  });
}

std::string UpperCaseDigits(std::string_view digits) {
  std::string upper(digits);
  for (char& c : upper) c = UpperCase(c);
  return upper;
}

bool SameHexDigits(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return UpperCase(x) == UpperCase(y); });
}

std::string CharsToHex(std::string_view chars) {
  std::string digits;
  for (const char c : chars) {
    const auto value = static_cast<unsigned char>(c);
    digits.push_back(kHexDigits[value >> 4]);
    digits.push_back(kHexDigits[value & 0x0F]);
  }
  return digits;
}

std::string HexToChars(std::string_view digits) {
  std::string chars;
  std::size_t i = 0;
  for (; i + 1 < digits.size(); i += 2) chars.push_back(ByteOfDigits(digits[i], digits[i + 1]));
  if (i < digits.size()) chars.push_back(ByteOfDigits('0', digits[i]));
  return chars;
}

std::optional<std::string> HexBytes(std::string_view digits) {
  if (digits.size() % 2 != 0 || !IsHexDigits(digits)) return std::nullopt;
  return HexToChars(digits);
}

}  // namespace torvane
