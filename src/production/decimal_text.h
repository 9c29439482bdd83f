#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace torvane {

// A number typed by the operator: leading blanks, an optional "+", then the
// leading digits; no digits read as 0, a value too large for 64 bits as the
// largest one.
std::uint64_t ReadUnsignedDecimal(std::string_view text);
// The same with an optional "-"; the value is limited to what a byte position
// can mean, so that offset arithmetic never overflows.
long long ReadInteger(std::string_view text);
// "0" in front until the text has at least `width` characters.
std::string WithLeadingZeros(std::string text, std::size_t width);
// 10^digits - 1 in 64 bits (0 for fewer than one digit, the largest value for
// more digits than 64 bits hold).
std::uint64_t DecimalCapacity(long long digits);

}  // namespace torvane
