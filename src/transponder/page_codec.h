#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace torvane {

// A page is 8 bytes. Its HEX form: eight two-digit upper-case hexadecimal numbers
// separated by single blanks ("54 41 47 00 20 7E 01 FF"). Its ASCII form: eight
// tokens separated by single blanks, each the byte's character or "NUL" for 0x00.
enum class PageForm { Hex = 0, Ascii = 1 };

std::uint8_t HexDigitValue(char digit);
std::string HexToAscii(std::string_view hexText);
std::string AsciiToHex(std::string_view asciiText);
// Whether the text stands for exactly eight bytes in the given form.
bool IsPageTextValid(std::string_view text, PageForm form);
// Pairs of hexadecimal digits to characters ("4142" -> "AB"); a lone last digit
// reads with "0" in front.
std::string HexToChars(std::string_view digits);
// Characters to upper-case hexadecimal digit pairs without blanks ("AB" -> "4142").
std::string CharsToHex(std::string_view chars);

}  // namespace torvane
