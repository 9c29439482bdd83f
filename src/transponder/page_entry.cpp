#include "transponder/page_entry.h"
#include "view/page_geometry.h"

#include <cstddef>

namespace torvane {

namespace {

constexpr std::size_t kPageBytes = kBytesPerPage;
constexpr std::size_t kPageDigits = 2 * kBytesPerPage;

std::string CharactersJoinedByBlanks(std::string_view text) {
  std::string joined;
  for (char c : text) {
    if (!joined.empty()) joined.push_back(' ');
    joined.push_back(c);
  }
  return joined;
}

std::string DigitPairsJoinedByBlanks(std::string_view digits) {
  std::string joined;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    if (!joined.empty()) joined.push_back(' ');
    joined.append(digits.substr(i, 2));
  }
  return joined;
}

std::string NormaliseAsciiEntry(std::string_view text, std::string_view alignment) {
  const std::size_t k = text.size();
  if (k == kPageBytes) return CharactersJoinedByBlanks(text);
  if (k > kPageBytes) return std::string(text);
  if (alignment == "Right") {
    std::string entry;
    for (std::size_t i = k; i < kPageBytes; ++i) entry.append("NUL ");
    if (k == 0) entry.pop_back();
    return entry + CharactersJoinedByBlanks(text);
  }
  if (alignment == "Left") {
    std::string entry = CharactersJoinedByBlanks(text);
    for (std::size_t i = k; i < kPageBytes; ++i) entry.append(" NUL");
    return entry;
  }
  return std::string(text);
}

std::string NormaliseHexEntry(std::string_view text, std::string_view alignment) {
  const std::size_t k = text.size();
  if (k == kPageDigits) return DigitPairsJoinedByBlanks(text);
  if (k > kPageDigits) return std::string(text);
  const std::string zeros(kPageDigits - k, '0');
  if (alignment == "Right") return DigitPairsJoinedByBlanks(zeros + std::string(text));
  if (alignment == "Left") return DigitPairsJoinedByBlanks(std::string(text) + zeros);
  return std::string(text);
}

}  // namespace

std::string NormalisePageEntry(std::string_view text, PageForm form, std::string_view alignment) {
  return form == PageForm::Ascii ? NormaliseAsciiEntry(text, alignment)
                                 : NormaliseHexEntry(text, alignment);
}

}  // namespace torvane
