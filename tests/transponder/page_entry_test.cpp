#include "transponder/page_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvane {
namespace {

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
