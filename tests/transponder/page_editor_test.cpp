#include "transponder/page_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/control_ids.h"
#include "support/fake_station_view.h"

namespace torvane {
namespace {

class PageEditorTest : public ::testing::Test {
 protected:
  test::FakeStationView view;
  PageState pages;
  PageEditor editor{view, pages};
};

TEST_F(PageEditorTest, EnterNormalisesStoresBothFormsAndJudges) {
  struct Case {
    PageForm form;
    std::string alignment;
    std::string typed;
    std::string hex;
    std::string ascii;
    bool valid;
  };
  const std::vector<Case> cases = {
      {PageForm::Ascii, "Right", "ABC", "00 00 00 00 00 41 42 43", "NUL NUL NUL NUL NUL A B C",
       true},
      {PageForm::Ascii, "Left", "ABC", "41 42 43 00 00 00 00 00", "A B C NUL NUL NUL NUL NUL",
       true},
      {PageForm::Ascii, "Right", "", "00 00 00 00 00 00 00 00", "NUL NUL NUL NUL NUL NUL NUL NUL",
       true},
      {PageForm::Ascii, "Left", "ABCDEFGHI", "41", "ABCDEFGHI", false},
      {PageForm::Hex, "Right", "1A", "00 00 00 00 00 00 00 1A", "NUL NUL NUL NUL NUL NUL NUL \x1A",
       true},
      {PageForm::Hex, "Left", "1A", "1A 00 00 00 00 00 00 00", "\x1A NUL NUL NUL NUL NUL NUL NUL",
       true},
      {PageForm::Hex, "", "1A", "1A", "\x1A", false},
      {PageForm::Hex, "", "0011223344556677", "00 11 22 33 44 55 66 77", "NUL \x11 \" 3 D U f w",
       true},
      {PageForm::Hex, "", "00 11 22 33 44 55 66 7G", "00 11 22 33 44 55 66 7G",
       "NUL \x11 \" 3 D U f p", false},
      {PageForm::Hex, "", "ab cd ef 01 23 45 67 89", "ab cd ef 01 23 45 67 89",
       "\xAB \xCD \xEF \x01 # E g \x89", true},
  };
  for (const Case& c : cases) {
    view = {};
    pages.displayForm = c.form;
    pages.alignment = c.alignment;
    pages.pageText[2] = c.typed;
    editor.OnPageEnter(3);

    const std::string& shown = c.form == PageForm::Hex ? c.hex : c.ascii;
    EXPECT_EQ(pages.pageText[2], shown) << c.typed;
    EXPECT_EQ(pages.hexText[2], c.hex) << c.typed;
    EXPECT_EQ(pages.asciiText[2], c.ascii) << c.typed;
    EXPECT_EQ(view.colourOf(ids::kPageField[2]), c.valid ? colour::kGreen : colour::kRed)
        << c.typed;
    EXPECT_EQ(view.messages.size(), c.valid ? 0u : 1u) << c.typed;
    EXPECT_TRUE(pages.enterPending);
    EXPECT_EQ(view.takeCount, 1);
    EXPECT_GE(view.showCount, 1);
  }
}

TEST_F(PageEditorTest, InvalidEntryWarnsWithThePageNumberAndForm) {
  const std::vector<std::pair<PageForm, std::string>> cases = {
      {PageForm::Ascii,
       "change P12 to a length of 8 characters with spaces in between; 'NUL' is 0x00 in ASCII "
       "format"},
      {PageForm::Hex,
       "change P12 to a length of 16 printable hexadecimal characters (20,21,22,...,7D,7E) with "
       "spaces in between"},
  };
  for (const auto& [form, text] : cases) {
    view = {};
    pages.displayForm = form;
    pages.pageText[11] = "12345678901234567";
    editor.OnPageEnter(12);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, text);
    EXPECT_EQ(view.messages[0].caption, "Torvane");
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(view.messages[0].buttons, MessageButtons::Ok);
  }
}

TEST_F(PageEditorTest, FormSwitchRoundTripKeepsEveryPage) {
  for (std::size_t i = 0; i < pages.pageText.size(); ++i) {
    pages.pageText[i] = i % 2 ? "00 20 41 20 00 7E FF 20" : "20 20 00 00 4E 55 4C 0A";
  }
  const PageTexts before = pages.pageText;
  pages.pageText[0] = "00 20 41 20 00 7e ff 20";

  editor.OnAsciiForm();
  EXPECT_EQ(pages.displayForm, PageForm::Ascii);
  EXPECT_EQ(pages.pageText[1], "NUL   A   NUL ~ \xFF  ");
  EXPECT_EQ(pages.asciiText[1], pages.pageText[1]);
  EXPECT_EQ(pages.hexText[1], before[1]);
  EXPECT_TRUE(view.images.at(ids::kAsciiButton));
  EXPECT_FALSE(view.images.at(ids::kHexButton));
  EXPECT_EQ(view.focusHistory, std::vector<int>(ids::kPageField.begin(), ids::kPageField.end()));
  EXPECT_EQ(view.repaintCount, 1);

  editor.OnHexForm();
  EXPECT_EQ(pages.displayForm, PageForm::Hex);
  EXPECT_EQ(pages.pageText[0], "00 20 41 20 00 7E FF 20");
  for (std::size_t i = 1; i < pages.pageText.size(); ++i) EXPECT_EQ(pages.pageText[i], before[i]);
  EXPECT_TRUE(view.colours.empty());
}

TEST_F(PageEditorTest, PressOnTheFormShownChangesNoText) {
  for (PageForm form : {PageForm::Hex, PageForm::Ascii}) {
    view = {};
    pages.displayForm = form;
    pages.pageText.fill("41 42 43 44 45 46 47 48");
    form == PageForm::Hex ? editor.OnHexForm() : editor.OnAsciiForm();
    EXPECT_EQ(pages.pageText[16], "41 42 43 44 45 46 47 48");
    EXPECT_EQ(pages.displayForm, form);
    EXPECT_TRUE(view.focusHistory.empty());
    EXPECT_EQ(view.images.at(ids::kHexButton), form == PageForm::Hex);
  }
}

TEST_F(PageEditorTest, AllButtonSetsEveryPage) {
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
    EXPECT_EQ(view.images.at(ids::kAllPagesCheck), all == 1);
    const std::vector<int> visited(ids::kPageField.begin(), ids::kPageField.end());
    EXPECT_EQ(view.focusHistory, all ? std::vector<int>{} : visited);
  }
}

TEST_F(PageEditorTest, PageButtonUncheckedClearsAllAndFocusesItsField) {
  pages.allPagesSelected = 1;
  pages.pageSelected.fill(1);
  pages.pageSelected[4] = 0;
  view.colours[ids::kPageField[4]] = colour::kGreen;
  editor.OnPageCheck(5);
  EXPECT_EQ(pages.allPagesSelected, 0);
  EXPECT_FALSE(view.images.at(ids::kAllPagesCheck));
  EXPECT_FALSE(view.images.at(ids::kPageCheck[4]));
  EXPECT_EQ(view.focusHistory, std::vector<int>{ids::kPageField[4]});
  EXPECT_EQ(view.colourOf(ids::kPageField[4]), colour::kWhite);

  view = {};
  pages.pageSelected[4] = 1;
  editor.OnPageCheck(5);
  EXPECT_TRUE(view.images.at(ids::kPageCheck[4]));
  EXPECT_EQ(view.images.count(ids::kAllPagesCheck), 0u);
  EXPECT_TRUE(view.focusHistory.empty());
}

TEST_F(PageEditorTest, PageNumbersOutsideOneToSeventeenAreIgnored) {
  for (int page : {0, 18, -1}) {
    editor.OnPageEnter(page);
    editor.OnPageCheck(page);
  }
  EXPECT_EQ(view.takeCount, 0);
  EXPECT_FALSE(pages.enterPending);
}

}  // namespace
}  // namespace torvane
