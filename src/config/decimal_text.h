#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/decimal_text.h"

namespace torvane {

// The text padded on the left with "0" to `width` characters; longer texts stay.
std::string ZeroPadded(std::string_view text, std::size_t width);

// The carrier ID of a decimal counter: its value as a number, "0"-filled to
// `width` digits. A value of more digits stays whole: it is never cut.
std::string CounterCarrierId(std::string_view value, std::size_t width);

// "3" to "17" as a page number; nothing for "None" or any other text.
std::optional<int> CounterPageNumber(std::string_view counterPage);

}  // namespace torvane
