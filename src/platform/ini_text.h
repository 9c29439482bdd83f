#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace torvane {

// INI files come from this station (UTF-8) and from Windows stations, which
// write their ANSI code page, Windows-1252. Valid UTF-8 is taken as UTF-8;
// anything else is read byte by byte as Windows-1252.
bool IsValidUtf8(std::string_view text);
std::string IniTextToUtf8(std::string_view raw);

// Characters of UTF-8 text, so that a cut never splits one.
std::size_t CharacterCount(std::string_view utf8);
std::string_view FirstCharacters(std::string_view utf8, std::size_t count);
std::string_view LastCharacters(std::string_view utf8, std::size_t count);

}  // namespace torvane
