#pragma once

#include <string>
#include <string_view>

namespace torvane {

// Whether every character is one of 0-9, A-F, a-f (an empty text is).
bool IsHexDigits(std::string_view text);
std::string WithoutBlanks(std::string_view text);

}  // namespace torvane
