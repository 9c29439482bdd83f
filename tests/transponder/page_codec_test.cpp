#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/hex_text.h"
#include "transponder/page_codec.h"
#include "transponder/page_entry.h"

namespace torvane {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST(PageCodec, ConvertsBetweenForms) {
  const Pairs both = {{"54 41 47 00 20 7E 61 62", "T A G NUL   ~ a b"},
                      {"41 20 42", "A   B"},
                      {"41 42 43 44 45 46 47 20", "A B C D E F G  "},
                      {"20 00 41", "  NUL A"},
                      {"00 00 00 00 00 00 00 00", "NUL NUL NUL NUL NUL NUL NUL NUL"},
                      {"", ""}};
  for (const auto& [hex, ascii] : both) {
    EXPECT_EQ(HexToAscii(hex), ascii) << hex;
    EXPECT_EQ(AsciiToHex(ascii), hex) << ascii;
  }
  const Pairs toAscii = {{"  41   42 ", "A B"}, {"1", "\x01"}, {"123 41", "# A"}, {"ab", "\xAB"}};
  for (const auto& [hex, ascii] : toAscii) EXPECT_EQ(HexToAscii(hex), ascii) << hex;
  const Pairs toHex = {{"A NUL", "41 00 "},  // a NUL token keeps its blank
                       {"A   ", "41 20 20"},
                       {"ABC", "41"},
                       {"\xAB \x80", "AB 80"},
                       {"A B C D E F G H I", "41 42 43 44 45 46 47 48"}};
  for (const auto& [ascii, hex] : toHex) EXPECT_EQ(AsciiToHex(ascii), hex) << ascii;
}

TEST(PageCodec, EveryPageSurvivesTheWayThroughAscii) {
  auto hexPage = [](const std::vector<int>& bytes) {
    std::string text;
    for (int byte : bytes) text += (text.empty() ? "" : " ") + CharsToHex(std::string(1, byte));
    return text;
  };
  auto check = [&](const std::vector<int>& bytes) {
    const std::string hex = hexPage(bytes);
    const std::string ascii = HexToAscii(hex);
    EXPECT_TRUE(IsPageTextValid(ascii, PageForm::Ascii)) << hex;
    return AsciiToHex(ascii) == hex;
  };
  for (int value = 0; value < 256; ++value) {
    for (int place = 0; place < 8; ++place) {
      std::vector<int> bytes = {0x41, 0x00, 0x20, 0x7E, 0x20, 0x00, 0x5A, 0x20};
      bytes[place] = value;
      ASSERT_TRUE(check(bytes)) << "byte " << value << " at " << place;
    }
  }
  const int kinds[] = {0x00, 0x20, 0x41};  // every mix of zero and blank bytes
  for (int pattern = 0; pattern < 6561; ++pattern) {
    std::vector<int> bytes;
    for (int rest = pattern, i = 0; i < 8; ++i, rest /= 3) bytes.push_back(kinds[rest % 3]);
    ASSERT_TRUE(check(bytes)) << hexPage(bytes);
  }
}

TEST(PageCodec, IsPageTextValidCountsEightBytes) {
  const std::vector<std::pair<std::string, bool>> ascii = {
      {"T A G NUL   ~ a b", true},  {" NUL NUL NUL NUL NUL NUL NUL NUL", true},
      {"A B C D E F G  ", true},    {"A B C D E F G", false},
      {"A B C D E F G H I", false}, {"NUL NUL NUL NUL NUL NUL NUL NUL ", false}};
  for (const auto& [text, valid] : ascii) EXPECT_EQ(IsPageTextValid(text, PageForm::Ascii), valid);
  const std::vector<std::pair<std::string, bool>> hex = {
      {"00 11 22 33 44 55 66 77", true}, {"0011223344556677", true},
      {"ab cd ef 01 23 45 67 89", true}, {"00 11 22 33 44 55 66 7G", false},
      {"00 11 22 33 44 55 66", false},   {"00 11 22 33 44 55 66 77 88", false}};
  for (const auto& [text, valid] : hex) EXPECT_EQ(IsPageTextValid(text, PageForm::Hex), valid);
}

TEST(NormalisePageEntry, PadsShortEntriesByAlignment) {
  struct Case {
    PageForm form;
    std::string alignment;
    std::string typed;
    std::string entry;
  };
  const std::vector<Case> cases = {
      {PageForm::Ascii, "Left", "ABC", "A B C NUL NUL NUL NUL NUL"},
      {PageForm::Ascii, "Center", "ABC", "ABC"},
      {PageForm::Ascii, "Right", "", "NUL NUL NUL NUL NUL NUL NUL NUL"},
      {PageForm::Ascii, "Left", "", " NUL NUL NUL NUL NUL NUL NUL NUL"},
      {PageForm::Ascii, "", "TAG12345", "T A G 1 2 3 4 5"},
      {PageForm::Ascii, "Left", "AB CDEFG", "A B   C D E F G"},
      {PageForm::Hex, "Right", "1A", "00 00 00 00 00 00 00 1A"},
      {PageForm::Hex, "Right", "", "00 00 00 00 00 00 00 00"},
      {PageForm::Hex, "", "0011223344556677", "00 11 22 33 44 55 66 77"},
      {PageForm::Hex, "Left", "00 11 22 33 44 55 66 77", "00 11 22 33 44 55 66 77"},
      {PageForm::Hex, "Left", "00112233445566778", "00112233445566778"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NormalisePageEntry(c.typed, c.form, c.alignment), c.entry)
        << c.alignment << " '" << c.typed << "'";
  }
}

}  // namespace
}  // namespace torvane
