#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace torvane {

// One byte of a configuration set in its two text forms: two hexadecimal digits,
// and its character ("NUL" for a zero byte).

// The character form of a hex text: each pair of digits one character, an odd
// last digit read with "0" in front, a zero pair "NUL".
std::string CharFormOfHex(std::string_view hex);
// The hex form of a character text: "NUL" is "00", else "%02X" of each character.
std::string HexFormOfChars(std::string_view chars);

// A typed hex byte as its two upper-case digits, or nothing when it is not one
// or two hexadecimal digits. With `printableOnly` the value must be 0x00 or lie
// in 0x20-0x7E, and exactly two digits must be typed.
std::optional<std::string> AcceptedHexByte(std::string_view typed, bool printableOnly);
// A typed character byte when it is exactly one character or "NUL".
std::optional<std::string> AcceptedCharByte(std::string_view typed);

// What the operator is told when byte `index` was refused.
std::string HexByteRefusal(int index, bool printableOnly);
std::string CharByteRefusal(int index);
// A field held a character beyond Latin-1, which no byte can hold.
std::string NonByteCharacterRefusal(int index);

}  // namespace torvane
