#include "platform/ini_text.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

struct Decoding {
  const char* name;
  std::string raw;
  std::string utf8;
};

TEST(IniTextTest, ValidUtf8StaysAndAnythingElseIsWindows1252) {
  const Decoding cases[] = {
      {"ascii", "Lot A-17", "Lot A-17"},
      {"utf8 umlaut",
       "Pr\xC3\xBC"
       "fset",
       "Pr\xC3\xBC"
       "fset"},
      {"windows umlaut",
       "Pr\xFC"
       "fset",
       "Pr\xC3\xBC"
       "fset"},
      {"euro sign", "\x80", "\xE2\x82\xAC"},
      {"undefined 0x81 keeps latin-1", "\x81", "\xC2\x81"},
      {"lone continuation", "a\xA9z", "a\xC2\xA9z"},
      {"overlong slash", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
      {"cut sequence", "x\xE2\x82", "x\xC3\xA2\xE2\x80\x9A"},
      {"surrogate", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IniTextToUtf8(c.raw), c.utf8) << c.name;
    EXPECT_TRUE(IsValidUtf8(IniTextToUtf8(c.raw))) << c.name;
  }
}

TEST(IniTextTest, CutsCountCharactersNotBytes) {
  const std::string text =
      "a\xC3\xBC\xE2\x82\xAC\xF0\x9D\x84\x9E"
      "z";  // a, u-umlaut, euro, clef, z
  EXPECT_EQ(CharacterCount(text), 5u);
  EXPECT_EQ(FirstCharacters(text, 2), "a\xC3\xBC");
  EXPECT_EQ(FirstCharacters(text, 9), text);
  EXPECT_EQ(LastCharacters(text, 2),
            "\xF0\x9D\x84\x9E"
            "z");
  EXPECT_EQ(LastCharacters(text, 9), text);
  EXPECT_EQ(FirstCharacters(text, 0), "");
  EXPECT_EQ(LastCharacters(text, 0), "");
}

}  // namespace
}  // namespace torvane
