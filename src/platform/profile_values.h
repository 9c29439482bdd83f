#pragma once

#include <string>
#include <string_view>

#include "platform/profile.h"

// Values of the station's INI files as the station reads and writes them.
namespace torvane::profile {

// The file trims blanks around values, which would cut a blank off the edge of
// a text. Such values are written in double quotes, and a read drops one pair of
// enclosing quotes, as the Windows profile services do. Reads are cut to the
// station's 259 characters.
std::string Read(const ProfileFile& file, std::string_view section, std::string_view key);
void Write(ProfileFile& file, std::string_view section, std::string_view key,
           std::string_view value);

// A flag is written "1" or "0" and is set exactly when its text is "1".
bool FlagValue(std::string_view text);
std::string_view FlagText(bool set);

}  // namespace torvane::profile
