#pragma once

#include <cstdint>
#include <string_view>

namespace torvane {

// A number as the operator or a file wrote it: leading blanks, an optional
// sign and the digits up to the first other character; no digits give 0, and
// values beyond a 32-bit number stop at its limits.
std::int32_t DecimalValue(std::string_view text);

}  // namespace torvane
