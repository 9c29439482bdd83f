#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace torvane::sim {

// A decimal number made of digits only, within [min, max]; nothing otherwise.
std::optional<long> ParseDecimal(std::string_view text, long min, long max);

// 0 to 15 for a hexadecimal digit of either case.
std::optional<int> HexDigitValue(char digit);

// 1 to 8 hexadecimal digits.
std::optional<std::uint32_t> ParseUidNumber(std::string_view text);

// Bytes written as pairs of hexadecimal digits ("0DFF00"); at least one byte.
std::optional<std::string> ParseHexBytes(std::string_view text);

}  // namespace torvane::sim
