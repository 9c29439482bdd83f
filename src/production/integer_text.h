#pragma once

#include <cstdint>
#include <string_view>

namespace torvane {

// A byte position or length typed by the operator: leading blanks, an optional
// sign, then the leading digits; no digits read as 0. The value is limited to
// what a position can mean, so that offset arithmetic never overflows.
long long ReadInteger(std::string_view text);
// 10^digits - 1 in 64 bits (0 for fewer than one digit, the largest value for
// more digits than 64 bits hold).
std::uint64_t DecimalCapacity(long long digits);

}  // namespace torvane
