#pragma once

#include <string>
#include <string_view>

namespace torvane {

// A page is 8 bytes. Its HEX form: eight two-digit upper-case hexadecimal numbers
// separated by single blanks ("54 41 47 00 20 7E 01 FF"). Its ASCII form: eight
// tokens separated by single blanks, each the byte's character or "NUL" for 0x00.
enum class PageForm { Hex = 0, Ascii = 1 };

std::string HexToAscii(std::string_view hexText);
std::string AsciiToHex(std::string_view asciiText);
// Whether the text stands for exactly eight bytes in the given form.
bool IsPageTextValid(std::string_view text, PageForm form);

// The HEX form's digits without its blanks, and back:
// "54 41 47 00 20 7E 61 62" <-> "54414700207E6162".
std::string WithoutBlanks(std::string_view text);
std::string SpacedPairs(std::string_view digits);

}  // namespace torvane
