#pragma once

#include <string>
#include <string_view>

namespace torvane {

// Cell text for the record files: UTF-8 with the five XML special characters
// escaped; tab, LF and CR as character references so that readers keep them;
// every other character that XML 1.0 cannot carry as U+FFFD.
std::string XmlCellTextOfBytes(std::string_view bytes);  // each byte one Latin-1 character
std::string XmlCellTextOfText(std::string_view text);    // the station's INI text rule

}  // namespace torvane
