#include "transponder/page_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvane {
namespace {

// Canonical HEX text of eight bytes.
std::string HexPage(const std::vector<int>& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (int byte : bytes) {
    if (!text.empty()) text += ' ';
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

TEST(HexDigitValue, SignedCharacterRule) {
  const std::vector<std::pair<char, int>> cases = {
      {'0', 0},  {'9', 9},  {'A', 10},   {'F', 15},      {'a', 42},
      {'f', 47}, {'G', 16}, {' ', 0xF0}, {'\x80', 0x50}, {'\xFF', 0xCF}};
  for (const auto& [digit, value] : cases) {
    EXPECT_EQ(HexDigitValue(digit), value) << static_cast<int>(digit);
  }
}

TEST(PageCodec, ConvertsBetweenForms) {
  struct Case {
    std::string hex;
    std::string ascii;
  };
  // Both directions hold for these pairs.
  const std::vector<Case> cases = {
      {"54 41 47 00 20 7E 61 62", "T A G NUL   ~ a b"},
      {"41 20 42", "A   B"},
      {"41 42 43 44 45 46 47 20", "A B C D E F G  "},
      {"20 00 41", "  NUL A"},
      {"00 00 00 00 00 00 00 00", "NUL NUL NUL NUL NUL NUL NUL NUL"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HexToAscii(c.hex), c.ascii) << c.hex;
    EXPECT_EQ(AsciiToHex(c.ascii), c.hex) << c.ascii;
  }
}

TEST(PageCodec, ReadsNonCanonicalText) {
  const std::vector<std::pair<std::string, std::string>> hexToAscii = {
      {"  41   42 ", "A B"}, {"1", "\x01"}, {"123 41", "# A"}, {"ab cd", "\xAB \xCD"}};
  for (const auto& [hex, ascii] : hexToAscii) EXPECT_EQ(HexToAscii(hex), ascii) << hex;

  const std::vector<std::pair<std::string, std::string>> asciiToHex = {
      {"A NUL", "41 00 "},   // a NUL token keeps its blank
      {"A   ", "41 20 20"},  // three trailing blanks are two blank bytes
      {"ABC", "41"},
      {"NUL", "4E"},
      {"\xAB \x80", "AB 80"},
      {"A B C D E F G H I", "41 42 43 44 45 46 47 48"},  // cut to eight bytes
  };
  for (const auto& [ascii, hex] : asciiToHex) EXPECT_EQ(AsciiToHex(ascii), hex) << ascii;
}

TEST(PageCodec, EveryByteAtEveryPlaceSurvivesBothWays) {
  for (int value = 0; value < 256; ++value) {
    for (int place = 0; place < 8; ++place) {
      std::vector<int> bytes = {0x41, 0x00, 0x20, 0x7E, 0x20, 0x00, 0x5A, 0x20};
      bytes[place] = value;
      const std::string hex = HexPage(bytes);
      const std::string ascii = HexToAscii(hex);
      ASSERT_EQ(AsciiToHex(ascii), hex) << "byte " << value << " at " << place;
      ASSERT_TRUE(IsPageTextValid(ascii, PageForm::Ascii)) << hex;
    }
  }
}

TEST(PageCodec, EveryMixOfZeroAndBlankBytesSurvives) {
  const int kinds[] = {0x00, 0x20, 0x41};
  for (int pattern = 0; pattern < 6561; ++pattern) {
    std::vector<int> bytes;
    for (int rest = pattern, i = 0; i < 8; ++i, rest /= 3) bytes.push_back(kinds[rest % 3]);
    const std::string hex = HexPage(bytes);
    ASSERT_EQ(AsciiToHex(HexToAscii(hex)), hex);
  }
}

TEST(PageCodec, LowerCaseDigitsComeBackUpperCase) {
  EXPECT_EQ(AsciiToHex(HexToAscii("ab cd ef 01 23 45 67 89")), "AB CD EF 01 23 45 67 89");
}

TEST(IsPageTextValid, CountsBytesOfEachForm) {
  struct Case {
    std::string text;
    PageForm form;
    bool valid;
  };
  const std::vector<Case> cases = {
      {"T A G 1 2 3 4 5", PageForm::Ascii, true},
      {"T A G NUL   ~ a b", PageForm::Ascii, true},
      {" NUL NUL NUL NUL NUL NUL NUL NUL", PageForm::Ascii, true},
      {"A B C D E F G  ", PageForm::Ascii, true},
      {"A B C D E F G", PageForm::Ascii, false},
      {"A B C D E F G H I", PageForm::Ascii, false},
      {"NUL NUL NUL NUL NUL NUL NUL NUL ", PageForm::Ascii, false},
      {"", PageForm::Ascii, false},
      {"00 11 22 33 44 55 66 77", PageForm::Hex, true},
      {"0011223344556677", PageForm::Hex, true},
      {"ab cd ef 01 23 45 67 89", PageForm::Hex, true},
      {"00 11 22 33 44 55 66 7G", PageForm::Hex, false},
      {"00 11 22 33 44 55 66", PageForm::Hex, false},
      {"00 11 22 33 44 55 66 77 88", PageForm::Hex, false},
      {"", PageForm::Hex, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsPageTextValid(c.text, c.form), c.valid) << c.text;
}

TEST(CarrierIdDigits, ConvertBothWays) {
  const std::vector<std::pair<std::string, std::string>> toChars = {
      {"41423132", "AB12"},
      {"414", "A\x04"},
      {"ff80", "\xFF\x80"},
      {"", ""},
      {"0041", std::string("\0A", 2)}};
  for (const auto& [digits, chars] : toChars) EXPECT_EQ(HexToChars(digits), chars) << digits;
  EXPECT_EQ(CharsToHex("AB12"), "41423132");
  EXPECT_EQ(CharsToHex("\xFF\x80"), "FF80");

  std::string all;
  for (int value = 0; value < 256; ++value) all += static_cast<char>(value);
  EXPECT_EQ(HexToChars(CharsToHex(all)), all);
}

}  // namespace
}  // namespace torvane
