#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace torvane {

// Bytes as hexadecimal digits and back: the one codec of the station, here so
// that the ledger, below the page codec, writes and reads its keys with it too.

// The code - 48 up to '9' and the code - 55 above, the code read as a signed
// byte: right for 0-9 and A-F. HexToChars keeps the low four bits of it, which
// are right for a-f too.
std::uint8_t HexDigitValue(char digit);
// Whether every character is one of 0-9, A-F, a-f (an empty text is).
bool IsHexDigits(std::string_view text);
// The digits with their letters in upper case, as the station keeps them.
std::string UpperCaseDigits(std::string_view digits);
// Whether two digit texts are the same but for the case of their letters.
bool SameHexDigits(std::string_view a, std::string_view b);
// Characters to upper-case hexadecimal digit pairs without blanks ("AB" -> "4142").
std::string CharsToHex(std::string_view chars);
// Pairs of hexadecimal digits to characters ("4142" -> "AB"); a lone last digit
// reads with "0" in front.
std::string HexToChars(std::string_view digits);
// The bytes of pairs of hexadecimal digits of either case; nothing for an odd
// count or any other character.
std::optional<std::string> HexBytes(std::string_view digits);

}  // namespace torvane
