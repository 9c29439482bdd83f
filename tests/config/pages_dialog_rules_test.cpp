#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/fake_dialog_view.h"
#include "config/pages_dialog_editor.h"
#include "config/pages_hand_over.h"
#include "view/config_dialog_ids.h"

namespace torvane {
namespace {

namespace dlg = ids::pages_dialog;

const std::string kHexRefusal20 =
    "change byte 20 to a length of 2 hexadecimal (0,1,2,3,4,5,6,7,8,9,A,B,C,D,E,F) "
    "characters\r\ncharacter must be in printable range between 0x20 and 0x7E\r\nor can be 0x00";

class PagesDialogRulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 136; ++i) {
      state.hex[i] = "41";
      state.chars[i] = "A";
      state.displayed[i] = "41";
    }
    state.counterPage = "None";
  }

  test::FakeDialogView view;
  PagesDialogState state;
  PagesDialogEditor editor{view, state};
};

TEST_F(PagesDialogRulesTest, ByteCheckInEachForm) {
  struct Case {
    PageForm form;
    int byte;
    std::string typed, shown, hex, chars, message;
    int next;
  };
  const std::vector<Case> cases = {
      {PageForm::Hex, 20, "4a", "4A", "4A", "J", "", 21},
      {PageForm::Hex, 20, "00", "00", "00", "NUL", "", 21},
      {PageForm::Hex, 20, "1F", "1F", "41", "A", kHexRefusal20, 21},
      {PageForm::Hex, 20, "7F", "7F", "41", "A", kHexRefusal20, 21},
      {PageForm::Hex, 20, "4", "4", "41", "A", kHexRefusal20, 21},
      {PageForm::Ascii, 135, "AB", "AB", "41", "A",
       "change byte 135 to a length of 1 character of 'NUL'", 16},
      {PageForm::Ascii, 16, "NUL", "NUL", "00", "NUL", "", 17},
      {PageForm::Ascii, 16, "~", "~", "7E", "~", "", 17},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    view = {};
    state.form = c.form;
    state.hex[c.byte] = "41";
    state.chars[c.byte] = "A";
    state.displayed[c.byte] = c.typed;
    editor.OnByteEntry(c.byte);
    EXPECT_EQ(state.displayed[c.byte], c.shown);
    EXPECT_EQ(state.hex[c.byte], c.hex);
    EXPECT_EQ(state.chars[c.byte], c.chars);
    ASSERT_EQ(view.messages.size(), c.message.empty() ? 0u : 1u);
    if (!c.message.empty()) {
      EXPECT_EQ(view.messages[0].text, c.message);
      EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning);
    }
    EXPECT_EQ(view.focus, dlg::ByteField(c.next));
    EXPECT_TRUE(view.focusSelectsAll);
  }
}

TEST_F(PagesDialogRulesTest, CounterPageShowsTheCounterAndReadsItBack) {
  state.form = PageForm::Ascii;
  state.displayed.fill("A");
  state.counterPage = "5";
  state.counterValue = "123";
  state.editPage.fill(true);
  editor.OnOpen();
  const std::string digits = "00000123";
  for (int k = 0; k < 8; ++k) {
    EXPECT_EQ(state.displayed[32 + k], digits.substr(k, 1));
    EXPECT_EQ(state.hex[32 + k], k < 5 ? "30" : std::to_string(30 + k - 4));
  }
  EXPECT_FALSE(state.editPage[4]);
  EXPECT_TRUE(state.editPage[5]);
  EXPECT_FALSE(view.enabled(dlg::kEditButton[2]));
  EXPECT_TRUE(view.enabled(dlg::kEditButton[3]));
  EXPECT_FALSE(view.images.at(dlg::kEditButton[2]));
  EXPECT_EQ(view.colours.at(dlg::ByteField(135)), colour::kWhite);

  // Typed without Enter, the byte is checked on OK as on Enter: the dialog
  // never hands back another counter than it shows.
  state.displayed[39] = "4";
  EXPECT_TRUE(editor.OnOk());
  EXPECT_EQ(state.counterValue, "00000124");

  state.displayed[39] = "5";
  editor.OnByteEntry(39);
  EXPECT_TRUE(editor.OnOk());
  EXPECT_EQ(state.counterValue, "00000125");
}

TEST_F(PagesDialogRulesTest, NoCounterPageLeavesTheCounterValue) {
  state.counterValue = "77";
  editor.OnOpen();
  for (int row = 0; row < dlg::kUserPages; ++row) EXPECT_TRUE(view.enabled(dlg::kEditButton[row]));
  EXPECT_TRUE(editor.OnOk());
  EXPECT_EQ(state.counterValue, "77");
}

TEST_F(PagesDialogRulesTest, FormSwitchesThereAndBackKeepEveryByte) {
  const std::vector<std::string> hex = {"00", "20", "41", "7E", "4A"};
  for (int byte = 16; byte < 136; ++byte) {
    state.hex[byte] = hex[byte % hex.size()];
    state.displayed[byte] = state.hex[byte];
  }
  editor.OnAsciiForm();
  editor.OnAsciiForm();
  EXPECT_EQ(state.form, PageForm::Ascii);
  EXPECT_TRUE(view.images.at(dlg::kAsciiButton));
  EXPECT_FALSE(view.images.at(dlg::kHexButton));
  EXPECT_EQ(state.displayed[20], "NUL");
  EXPECT_EQ(state.displayed[21], " ");
  EXPECT_EQ(state.displayed[24], "J");

  editor.OnHexForm();
  editor.OnHexForm();
  EXPECT_EQ(state.form, PageForm::Hex);
  for (int byte = 16; byte < 136; ++byte) {
    EXPECT_EQ(state.displayed[byte], hex[byte % hex.size()]) << byte;
    EXPECT_EQ(state.hex[byte], hex[byte % hex.size()]) << byte;
  }
  EXPECT_EQ(state.chars[20], "NUL");
}

TEST_F(PagesDialogRulesTest, OkRefusesATextThatIsNoByte) {
  state.hex[40] = "FF";  // handed in as it stands in the set file
  state.displayed[40] = "FF";
  state.displayed[50] = "4a";  // typed without Enter, a byte all the same
  EXPECT_TRUE(editor.OnOk());

  state.displayed[60] = "ZZ";
  EXPECT_FALSE(editor.OnOk());
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_NE(view.messages[0].text.find("change byte 60 "), std::string::npos);
  EXPECT_EQ(view.focus, dlg::ByteField(60));
}

TEST_F(PagesDialogRulesTest, HandOverShowsTheDisplayForm) {
  ConfigDialogState config;
  config.set.byteHex[30] = "4A";
  config.set.byteAscii[30] = "J";
  config.set.counterPage = "7";
  config.displayForm = PageForm::Ascii;
  PagesDialogState pages = PagesHandOver(config);
  EXPECT_EQ(pages.displayed[30], "J");
  EXPECT_EQ(pages.hex[30], "4A");
  EXPECT_EQ(pages.counterPage, "7");

  pages.displayed[30] = "NUL";
  pages.displayed[31] = "~";
  TakeBackPages(pages, config);
  EXPECT_EQ(config.set.byteHex[30], "00");
  EXPECT_EQ(config.set.byteHex[31], "7E");
  EXPECT_EQ(config.set.byteAscii[31], "~");
}

}  // namespace
}  // namespace torvane
