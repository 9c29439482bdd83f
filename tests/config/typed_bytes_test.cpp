#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "config/config_dialog_fixture.h"
#include "support/scratch_directory.h"
#include "view/control_ids.h"
#include "windows/pages_dialog.h"

namespace torvane {
namespace {

namespace dlg = ids::configuration_dialog;
namespace pages_dialog = ids::pages_dialog;

using TypedBytesTest = test::ConfigDialogTest;

// What a byte typed without Enter becomes when the operator saves, presses OK
// or switches the form: what Enter would have made of it, or a refusal.
TEST_F(TypedBytesTest, ConfigDialogChecksTypedBytesOnSaveAndOk) {
  struct Case {
    const char* name;
    int field;
    QString typed;
    int button;
    std::string message;  // empty: accepted
    std::string hexInFile;
  };
  const std::vector<Case> cases = {
      {"hex on Save", dlg::kHexByte[3], "4a", dlg::kSave, "", "HEX 03=4A"},
      {"character on Save", dlg::kAsciiByte[3], "A", dlg::kSave, "", "HEX 03=41"},
      {"no hex byte on Save", dlg::kHexByte[3], "ZZZ", dlg::kSave, "change byte 3 to a length of 2",
       "HEX 03=00"},
      {"two characters on Save", dlg::kAsciiByte[3], "AB", dlg::kSave,
       "change byte 3 to a length of 1 character", "HEX 03=00"},
      {"beyond Latin-1 on Save", dlg::kAsciiByte[3], "\u20AC", dlg::kSave, "Latin-1", "HEX 03=00"},
      {"no hex byte on OK", dlg::kHexByte[3], "ZZZ", ids::kOk, "change byte 3 to a length of 2",
       "HEX 03=00"},
      {"beyond Latin-1 on OK", dlg::kAsciiByte[3], "\u20AC", ids::kOk, "Latin-1", "HEX 03=00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ConfigurationDialog dialog(BlankState());
    Open(dialog);
    Type(dialog, c.field, c.typed);
    const std::size_t before = answerer_.seen().size();
    Click(dialog, c.button);
    EXPECT_TRUE(dialog.isVisible());
    const std::string file = test::ReadWholeFile(FilePath("Blank"));
    EXPECT_NE(file.find(c.hexInFile + "\r\n"), std::string::npos);
    if (c.message.empty()) {
      EXPECT_EQ(Text(dialog, dlg::kHexByte[3]), QString::fromStdString(c.hexInFile.substr(7)));
      continue;
    }
    // Refused: the message, and the byte as it was, in the field to correct.
    ASSERT_GT(answerer_.seen().size(), before);
    EXPECT_NE(answerer_.seen()[before].text.find(c.message), std::string::npos)
        << answerer_.seen()[before].text;
    EXPECT_EQ(Text(dialog, dlg::kHexByte[3]), "00");
    EXPECT_EQ(dialog.focusWidget(), Find(dialog, c.field));
  }
}

TEST_F(TypedBytesTest, PagesDialogChecksTypedBytesOnFormSwitchAndOk) {
  struct Case {
    const char* name;
    PageForm form;
    QString typed;
    int button;
    std::string message;  // empty: accepted
    PageForm formAfter;
    QString shownAfter;
  };
  const std::vector<Case> cases = {
      {"character, then HEX", PageForm::Ascii, "B", pages_dialog::kHexButton, "", PageForm::Hex,
       "42"},
      {"two characters, then HEX", PageForm::Ascii, "AB", pages_dialog::kHexButton,
       "change byte 20 to a length of 1 character", PageForm::Ascii, "AB"},
      {"hex, then ASCII", PageForm::Hex, "4a", pages_dialog::kAsciiButton, "", PageForm::Ascii,
       "J"},
      {"no hex byte, then ASCII", PageForm::Hex, "ZZ", pages_dialog::kAsciiButton,
       "change byte 20 to a length of 2", PageForm::Hex, "ZZ"},
      {"no hex byte, then OK", PageForm::Hex, "ZZ", ids::kOk, "change byte 20 to a length of 2",
       PageForm::Hex, "ZZ"},
      {"beyond Latin-1, then HEX", PageForm::Ascii, "\u20AC", pages_dialog::kHexButton, "Latin-1",
       PageForm::Ascii, "A"},
      {"beyond Latin-1, then OK", PageForm::Ascii, "\u20AC", ids::kOk, "Latin-1", PageForm::Ascii,
       "A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PagesDialogState pages;
    pages.hex.fill("41");
    pages.chars.fill("A");
    pages.displayed = c.form == PageForm::Ascii ? pages.chars : pages.hex;
    pages.form = c.form;
    pages.counterPage = "None";
    PagesDialog dialog(pages, nullptr);
    Open(dialog);
    Type(dialog, pages_dialog::ByteField(20), c.typed);
    const std::size_t before = answerer_.seen().size();
    Click(dialog, c.button);
    EXPECT_EQ(dialog.state().form, c.formAfter);
    EXPECT_EQ(Text(dialog, pages_dialog::ByteField(20)), c.shownAfter);
    if (c.message.empty()) {
      EXPECT_EQ(answerer_.seen().size(), before);
      continue;
    }
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(answerer_.seen().size(), before + 1);
    EXPECT_NE(answerer_.seen().back().text.find(c.message), std::string::npos)
        << answerer_.seen().back().text;
    EXPECT_EQ(dialog.focusWidget(), Find(dialog, pages_dialog::ByteField(20)));
  }
}

}  // namespace
}  // namespace torvane
