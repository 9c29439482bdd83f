#pragma once

#include <string>
#include <string_view>

#include "platform/profile.h"

// Values of the station's INI files as the station reads and writes them.
namespace torvane::profile {

// The file trims blanks around values, which would cut a blank off the edge of
// a value. Such values are written in double quotes, and a read drops one pair of
// enclosing quotes, as the Windows profile services do.

// Bytes: page texts and the carrier ID, one Latin-1 character per byte, read and
// written byte for byte; reads are cut to the station's 259 bytes.
std::string Read(const ProfileFile& file, std::string_view section, std::string_view key);
void Write(ProfileFile& file, std::string_view section, std::string_view key,
           std::string_view value);

// Text: every other value. Read as INI text (valid UTF-8 as UTF-8, anything else
// as Windows-1252) into UTF-8, cut to 259 characters. Written back as it was
// read: an entry that still reads as the same text is left untouched, so a name
// a Windows station wrote keeps its bytes; a changed or new text goes in UTF-8.
std::string ReadText(const ProfileFile& file, std::string_view section, std::string_view key);
void WriteText(ProfileFile& file, std::string_view section, std::string_view key,
               std::string_view text);

// A flag is written "1" or "0" and is set exactly when its text is "1".
bool FlagValue(std::string_view text);
std::string_view FlagText(bool set);

}  // namespace torvane::profile
