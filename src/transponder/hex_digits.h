#pragma once

#include <string>
#include <string_view>

namespace torvane {

// Whether every character is one of 0-9, A-F, a-f (an empty text is).
bool IsHexDigits(std::string_view text);
std::string WithoutBlanks(std::string_view text);
// "54414700207E6162" -> "54 41 47 00 20 7E 61 62"
std::string SpacedPairs(std::string_view digits);

}  // namespace torvane
