#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace torvane {

// A number typed by the operator: its leading decimal digits as an unsigned
// 64-bit value, no digits read as 0, too many digits as the largest value.
std::uint64_t ReadDecimal(std::string_view text);

// The text padded on the left with "0" to `width` characters; longer texts stay.
std::string ZeroPadded(std::string_view text, std::size_t width);

// "3" to "17" as a page number; nothing for "None" or any other text.
std::optional<int> CounterPageNumber(std::string_view counterPage);

}  // namespace torvane
