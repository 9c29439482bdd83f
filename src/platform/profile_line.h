#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

// How one line of an INI file reads: a "[name]" section header, a "key=value"
// entry, or anything else (blank lines, comments, stray text), which is kept
// but never matches.
struct ProfileEntry {
  std::string_view key;
  std::string_view value;
};

std::optional<std::string_view> ProfileSectionName(std::string_view line);
std::optional<ProfileEntry> ProfileEntryOf(std::string_view line);
// Section and key names compare without regard to case.
bool ProfileNamesEqual(std::string_view a, std::string_view b);
// Splits at LF, CR LF or a lone CR, after dropping UTF-8 byte order marks;
// a final line end does not start another line. A NUL byte ends its line.
std::vector<std::string> SplitProfileLines(std::string_view text);

}  // namespace torvane
