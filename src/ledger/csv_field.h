#pragma once

#include <string>
#include <string_view>

namespace torvane {

// One field of a CSV line that spreadsheets read: quoted, with its quotes
// doubled, when it holds a comma, a quote or a line end.
std::string CsvField(std::string_view field);

}  // namespace torvane
