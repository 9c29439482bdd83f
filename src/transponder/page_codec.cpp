#include "transponder/page_codec.h"

#include <cstddef>
#include <vector>

#include "transponder/hex_digits.h"

namespace torvane {

namespace {

constexpr std::size_t kCanonicalHexLength = 23;
constexpr std::string_view kNulToken = "NUL";
// Placeholders long enough never to be mistaken for a one-character token.
constexpr std::string_view kNulMark = "XXXXXXXXX";
constexpr std::string_view kBlankMark = "YYYYYYYYY";
constexpr char kHexDigits[] = "0123456789ABCDEF";

// Replaces non-overlapping occurrences, scanning left to right.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string result;
  std::size_t start = 0;
  for (std::size_t hit = text.find(from); hit != std::string_view::npos;
       hit = text.find(from, start)) {
    result.append(text.substr(start, hit - start));
    result.append(to);
    start = hit + from.size();
  }
  result.append(text.substr(start));
  return result;
}

// Runs of characters other than the blank.
std::vector<std::string_view> SplitAtBlanks(std::string_view text) {
  std::vector<std::string_view> tokens;
  std::size_t start = text.find_first_not_of(' ');
  while (start != std::string_view::npos) {
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    tokens.push_back(text.substr(start, end - start));
    start = text.find_first_not_of(' ', end);
  }
  return tokens;
}

char ByteOfDigits(char high, char low) {
  const unsigned value = HexDigitValue(high) * 16u + (HexDigitValue(low) & 0x0Fu);
  return static_cast<char>(value & 0xFFu);
}

void AppendHexByte(std::string& out, char byte) {
  const auto value = static_cast<unsigned char>(byte);
  out.push_back(kHexDigits[value >> 4]);
  out.push_back(kHexDigits[value & 0x0F]);
}

bool IsAsciiPageValid(std::string_view text) {
  std::string work = ReplaceAll(text, kNulToken, "0");
  work = ReplaceAll(work, "  ", " 1");
  if (!work.empty() && work.back() == ' ') work.push_back('1');
  return WithoutBlanks(work).size() == 8;
}

bool IsHexPageValid(std::string_view text) {
  const std::string digits = WithoutBlanks(text);
  return IsHexDigits(digits) && digits.size() == 16;
}

}  // namespace

std::uint8_t HexDigitValue(char digit) {
  // Codes 0x80 to 0xFF are negative here and so take the branch of the digits.
  const auto code = static_cast<signed char>(digit);
  return static_cast<std::uint8_t>(code > '9' ? code - 55 : code - 48);
}

std::string HexToAscii(std::string_view hexText) {
  const std::vector<std::string_view> tokens = SplitAtBlanks(hexText);
  std::string ascii;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    std::string_view token = tokens[i];
    if (token.size() > 2) token = token.substr(token.size() - 2);
    const char byte =
        token.size() == 2 ? ByteOfDigits(token[0], token[1]) : ByteOfDigits('0', token[0]);
    if (byte == '\0') {
      ascii.append(kNulToken);
    } else {
      ascii.push_back(byte);
    }
    if (i + 1 < tokens.size()) ascii.push_back(' ');
  }
  return ascii;
}

std::string AsciiToHex(std::string_view asciiText) {
  std::string work = ReplaceAll(asciiText, " NUL ", " XXXXXXXXX ");
  work = ReplaceAll(work, "NUL ", "XXXXXXXXX ");
  work = ReplaceAll(work, " NUL", " XXXXXXXXX");
  // Two adjacent blanks are a separator next to a blank byte.
  work = ReplaceAll(work, "  ", " YYYYYYYYY ");
  if (work.ends_with("  ")) work.replace(work.size() - 2, 2, " YYYYYYYYY");

  const std::vector<std::string_view> tokens = SplitAtBlanks(work);
  std::string hex;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const std::string_view token = tokens[i];
    if (token == kNulMark) {
      hex.append("00");
    } else if (token == kBlankMark) {
      hex.append("20");
    } else {
      AppendHexByte(hex, token[0]);
    }
    if (i + 1 < tokens.size() || token == kNulMark) hex.push_back(' ');
  }
  if (hex.size() > kCanonicalHexLength) hex.resize(kCanonicalHexLength);
  return hex;
}

bool IsPageTextValid(std::string_view text, PageForm form) {
  return form == PageForm::Ascii ? IsAsciiPageValid(text) : IsHexPageValid(text);
}

std::string HexToChars(std::string_view digits) {
  std::string chars;
  std::size_t i = 0;
  for (; i + 1 < digits.size(); i += 2) chars.push_back(ByteOfDigits(digits[i], digits[i + 1]));
  if (i < digits.size()) chars.push_back(ByteOfDigits('0', digits[i]));
  return chars;
}

std::string CharsToHex(std::string_view chars) {
  std::string digits;
  for (char c : chars) AppendHexByte(digits, c);
  return digits;
}

}  // namespace torvane
