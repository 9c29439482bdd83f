#include "transponder/page_codec.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

#include "platform/hex_text.h"

namespace torvane {

namespace {

constexpr std::size_t kCanonicalHexLength = 23;
constexpr std::string_view kNulToken = "NUL";
// Placeholders long enough never to be mistaken for a one-character token.
constexpr std::string_view kNulMark = "XXXXXXXXX";
constexpr std::string_view kBlankMark = "YYYYYYYYY";

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

std::string HexToAscii(std::string_view hexText) {
  const std::vector<std::string_view> tokens = SplitAtBlanks(hexText);
  std::string ascii;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    std::string_view token = tokens[i];
    // The last two digits of a longer token; a lone digit reads with "0" in front.
    if (token.size() > 2) token = token.substr(token.size() - 2);
    const char byte = HexToChars(token).front();
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
      hex.append(CharsToHex(token.substr(0, 1)));
    }
    if (i + 1 < tokens.size() || token == kNulMark) hex.push_back(' ');
  }
  if (hex.size() > kCanonicalHexLength) hex.resize(kCanonicalHexLength);
  return hex;
}

bool IsPageTextValid(std::string_view text, PageForm form) {
  return form == PageForm::Ascii ? IsAsciiPageValid(text) : IsHexPageValid(text);
}

std::string WithoutBlanks(std::string_view text) {
  std::string result;
  std::copy_if(text.begin(), text.end(), std::back_inserter(result),
               [](char c) { return c != ' '; });
  return result;
}

std::string SpacedPairs(std::string_view digits) {
  std::string result;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    if (i > 0) result += ' ';
    result += digits.substr(i, 2);
  }
  return result;
}

}  // namespace torvane
