#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace torvane {

// How a text reads as a decimal number: leading blanks, an optional sign, the
// leading digits. Every number the station reads goes through this one scan;
// the functions below are the two ways of taking it.
struct DecimalScan {
  bool negative = false;
  std::uint64_t magnitude = 0;  // of the leading digits; the largest value when they do not fit
  bool digits = false;          // at least one digit
  bool whole = false;           // digits alone, nothing around them, within 64 bits
};
DecimalScan ScanDecimal(std::string_view text);

// Typed by the operator (carrier ID, maximum, quantity, counter value): an
// unsigned 64-bit number from the leading digits; no digits, or a minus sign in
// front of them, read as 0, and more digits than 64 bits hold as the largest value.
std::uint64_t ReadDecimal(std::string_view text);

// A value a file must hold as a number: digits alone within 64 bits; nothing
// for any other text, the empty one included.
std::optional<std::uint64_t> ReadWholeDecimal(std::string_view text);

// A byte position or length, signed: the magnitude is limited to 10^9, beyond
// anything a position can mean, so that offset arithmetic never overflows.
long long ReadInteger(std::string_view text);

// A setting such as a baud rate: signed, limited to the 32-bit range.
std::int32_t DecimalValue(std::string_view text);

// The text padded on the left with "0" to `width` characters; longer texts stay.
std::string ZeroPadded(std::string_view text, std::size_t width);

// The carrier ID of a decimal counter: its value as a number, "0"-filled to
// `width` digits. A value of more digits stays whole: it is never cut.
std::string CounterCarrierId(std::string_view value, std::size_t width);

// 10^digits - 1 in 64 bits (0 for fewer than one digit, the largest value for
// more digits than 64 bits hold).
std::uint64_t DecimalCapacity(long long digits);

}  // namespace torvane
