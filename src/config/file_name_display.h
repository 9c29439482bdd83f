#pragma once

#include <string>
#include <string_view>

namespace torvane {

// A file name as the configuration dialog shows it: whole when shorter than 86
// characters, else "..." and its last 85.
std::string ShownFileName(std::string_view fileName);

}  // namespace torvane
