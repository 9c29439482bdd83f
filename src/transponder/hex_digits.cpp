#include "transponder/hex_digits.h"

#include <algorithm>

namespace torvane {

bool IsHexDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
  });
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
