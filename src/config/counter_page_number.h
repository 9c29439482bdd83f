#pragma once

#include <optional>
#include <string_view>

namespace torvane {

// "3" to "17" as a page number; nothing for "None" or any other text.
std::optional<int> CounterPageNumber(std::string_view counterPage);

}  // namespace torvane
