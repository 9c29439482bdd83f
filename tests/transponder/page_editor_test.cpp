#include "transponder/page_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_station_view.h"
#include "view/control_ids.h"

namespace torvane {
namespace {

const std::vector<int> kAllPageFields(ids::kPageField.begin(), ids::kPageField.end());

class PageEditorTest : public ::testing::Test {
 protected:
  test::FakeStationView view;
  PageState pages;
  PageEditor editor{view, pages};
};

TEST_F(PageEditorTest, EnterStoresBothFormsAndJudgesThePage) {
  const std::string asciiWarning =
      "change P3 to a length of 8 characters with spaces in between; 'NUL' is 0x00 in ASCII "
      "format";
  const std::string hexWarning =
      "change P3 to a length of 16 printable hexadecimal characters (20,21,22,...,7D,7E) with "
      "spaces in between";
  struct Case {
    PageForm form;
    std::string alignment, typed, hex, ascii, warning;
  };
  const std::vector<Case> cases = {
      {PageForm::Ascii, "Right", "ABC", "00 00 00 00 00 41 42 43", "NUL NUL NUL NUL NUL A B C", ""},
      {PageForm::Ascii, "Left", "ABCDEFGHI", "41", "ABCDEFGHI", asciiWarning},
      {PageForm::Hex, "Left", "1A", "1A 00 00 00 00 00 00 00", "\x1A NUL NUL NUL NUL NUL NUL NUL",
       ""},
      {PageForm::Hex, "", "1A", "1A", "\x1A", hexWarning},
      {PageForm::Hex, "", "00 11 22 33 44 55 66 7G", "00 11 22 33 44 55 66 7G",
       "NUL \x11 \" 3 D U f p", hexWarning},
      {PageForm::Hex, "", "ab cd ef 01 23 45 67 89", "ab cd ef 01 23 45 67 89",
       "\xAB \xCD \xEF \x01 # E g \x89", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    view = {};
    pages.displayForm = c.form;
    pages.alignment = c.alignment;
    pages.pageText[2] = c.typed;
    editor.OnPageEnter(3);

    EXPECT_EQ(pages.pageText[2], c.form == PageForm::Hex ? c.hex : c.ascii);
    EXPECT_EQ(pages.hexText[2], c.hex);
    EXPECT_EQ(pages.asciiText[2], c.ascii);
    EXPECT_EQ(view.colourOf(ids::kPageField[2]), c.warning.empty() ? colour::kGreen : colour::kRed);
    ASSERT_EQ(view.messages.size(), c.warning.empty() ? 0u : 1u);
    if (!c.warning.empty()) {
      EXPECT_EQ(view.messages[0].text, c.warning);
      EXPECT_EQ(view.messages[0].caption, "Torvane");
      EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning);
    }
    EXPECT_TRUE(pages.enterPending);
  }
}

// Each switch is pressed twice: a press on the form shown must convert nothing.
TEST_F(PageEditorTest, FormSwitchThereAndBackKeepsEveryPage) {
  for (std::size_t i = 0; i < pages.pageText.size(); ++i) {
    pages.pageText[i] = i % 2 ? "00 20 41 20 00 7E FF 20" : "20 20 00 00 4E 55 4C 0A";
  }
  const PageTexts before = pages.pageText;
  pages.pageText[0] = "20 20 00 00 4e 55 4c 0a";

  editor.OnAsciiForm();
  editor.OnAsciiForm();
  EXPECT_EQ(pages.pageText[1], "NUL   A   NUL ~ \xFF  ");
  EXPECT_EQ(pages.hexText[1], before[1]);
  EXPECT_TRUE(view.images.at(ids::kAsciiButton));
  EXPECT_FALSE(view.images.at(ids::kHexButton));
  EXPECT_EQ(view.focusHistory, kAllPageFields);

  editor.OnHexForm();
  editor.OnHexForm();
  EXPECT_EQ(pages.displayForm, PageForm::Hex);
  EXPECT_EQ(pages.pageText, before);
  EXPECT_TRUE(view.images.at(ids::kHexButton));
  EXPECT_TRUE(view.colours.empty());
}

TEST_F(PageEditorTest, SelectionButtonsSetTheirPagesAndClearTheColours) {
  for (int all : {1, 0}) {
    view = {};
    pages.allPagesSelected = all;
    pages.pageSelected.fill(1 - all);
    view.colours[ids::kPageField[4]] = colour::kRed;
    editor.OnAllPagesCheck();
    for (std::size_t i = 0; i < pages.pageSelected.size(); ++i) {
      EXPECT_EQ(pages.pageSelected[i], all);
      EXPECT_EQ(view.images.at(ids::kPageCheck[i]), all == 1);
      EXPECT_EQ(view.colourOf(ids::kPageField[i]), colour::kWhite);
    }
    EXPECT_EQ(view.focusHistory, all ? std::vector<int>{} : kAllPageFields);
  }

  for (int selected : {0, 1}) {
    view = {};
    pages.allPagesSelected = 1;
    pages.pageSelected[4] = selected;
    view.colours[ids::kPageField[4]] = colour::kGreen;
    editor.OnPageCheck(5);
    EXPECT_EQ(pages.allPagesSelected, selected);
    EXPECT_EQ(view.images.at(ids::kPageCheck[4]), selected == 1);
    EXPECT_EQ(view.focusHistory, selected ? std::vector<int>{} : std::vector{ids::kPageField[4]});
    EXPECT_EQ(view.colourOf(ids::kPageField[4]), colour::kWhite);
  }
}

TEST_F(PageEditorTest, PageNumbersOutsideTheRangeAreIgnored) {
  for (int page : {0, 18}) {
    editor.OnPageEnter(page);
    editor.OnPageCheck(page);
  }
  EXPECT_EQ(view.takeCount, 0);
}

}  // namespace
}  // namespace torvane
