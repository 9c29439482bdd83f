#include <gtest/gtest.h>

#include <QComboBox>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "config/config_dialog_fixture.h"
#include "platform/atomic_file.h"
#include "support/scratch_directory.h"
#include "view/control_ids.h"

namespace torvane {
namespace {

namespace dlg = ids::configuration_dialog;

class DialogOkTest : public test::ConfigDialogTest {
 protected:
  // Sets "A" (quantity 1, in use) and "B" (quantity 2) on disk and in the list.
  ConfigDialogState TwoSets() {
    ConfigurationSet b;
    b.quantity = "2";
    StateWithFile("B", b);
    ConfigurationSet a;
    a.quantity = "1";
    ConfigDialogState state = StateWithFile("A", a);
    state.setList = {"A", "B"};
    return state;
  }

  bool Closed(const ConfigurationDialog& dialog) const {
    return !dialog.isVisible() && dialog.result() == QDialog::Accepted;
  }
};

TEST_F(DialogOkTest, OkRightAfterAPickOrAListChangeTakesNothingOver) {
  struct Case {
    const char* name;
    std::function<void(ConfigurationDialog&)> act;
    const char* quantityShown;  // after the first OK
  };
  const std::vector<Case> cases = {
      // The picked set is loaded at once and shown; the next OK takes it.
      {"pick then OK", [](ConfigurationDialog& dialog) { Pick(dialog, "B"); }, "2"},
      // A typed name of a set on disk loads it too: the set shown never goes
      // into its file.
      {"typed name of a set then OK",
       [](ConfigurationDialog& dialog) { Type(dialog, dlg::kName, "B"); }, "2"},
      {"counter page then OK",
       [](ConfigurationDialog& dialog) {
         auto* list = Find<QComboBox>(dialog, dlg::kCounterPage);
         list->setCurrentIndex(list->findText("5"));
         emit list->activated(list->currentIndex());
       },
       "1"},
      {"alignment then OK",
       [](ConfigurationDialog& dialog) {
         auto* list = Find<QComboBox>(dialog, dlg::kAlignment);
         list->setCurrentIndex(list->findText("Right"));
         emit list->activated(list->currentIndex());
       },
       "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ConfigurationDialog dialog(TwoSets());
    Open(dialog);
    c.act(dialog);
    Click(dialog, ids::kOk);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.timerRunning(ConfigurationDialog::kNameTimer));
    EXPECT_EQ(Text(dialog, dlg::kQuantity), c.quantityShown);
    EXPECT_EQ(dialog.state().set.quantity, c.quantityShown);
  }
  // After the pick the set shown is the set on disk, and OK takes it.
  ConfigurationDialog dialog(TwoSets());
  Open(dialog);
  Pick(dialog, "B");
  Click(dialog, ids::kOk);
  Click(dialog, ids::kOk);
  EXPECT_TRUE(Closed(dialog));
  EXPECT_EQ(dialog.state().name, "B");
  EXPECT_EQ(dialog.state().set.quantity, "2");
  EXPECT_TRUE(answerer_.seen().empty());
}

TEST_F(DialogOkTest, OkTakesOverOnlyANameWhoseSavedSetIsShown) {
  const std::string longest(NAME_MAX - 4 - kTemporaryNameSuffixMax, 'n');
  struct Case {
    const char* name;
    std::function<void(ConfigurationDialog&)> operate;
    std::string message;  // what OK says; empty: OK closes
    std::string takenName;
  };
  const std::vector<Case> cases = {
      {"typed name", [](ConfigurationDialog& d) { Type(d, dlg::kName, "Typo"); },
       "no configuration set \"Typo\"", ""},
      {"deleted name", [](ConfigurationDialog& d) { Click(d, dlg::kDelete); }, "enter a name", ""},
      {"name too long for its temporary file",
       [&](ConfigurationDialog& d) {
         Type(d, dlg::kName, QString::fromStdString(longest + "n"));
         Click(d, dlg::kSave);
       },
       "too long", ""},
      {"the settings file",
       [](ConfigurationDialog& d) {
         Type(d, dlg::kName, "Torvane");
         Click(d, dlg::kSave);
       },
       "settings file", ""},
      {"a change without Save", [](ConfigurationDialog& d) { Type(d, dlg::kQuantity, "99"); },
       "changes that are not saved", ""},
      {"file gone since it was loaded",
       [&](ConfigurationDialog&) { std::filesystem::remove(FilePath("A")); }, "no file", ""},
      {"file changed since it was loaded",
       [&](ConfigurationDialog&) {
         ConfigurationSet other;
         other.quantity = "7";
         EXPECT_TRUE(SaveSetFile(FilePath("A"), other).ok());
       },
       "has changed", ""},
      {"the longest name, saved",
       [&](ConfigurationDialog& d) {
         Type(d, dlg::kName, QString::fromStdString(longest));
         Click(d, dlg::kSave);
       },
       "", longest},
      {"typed name, saved",
       [](ConfigurationDialog& d) {
         Type(d, dlg::kName, "Typo");
         Click(d, dlg::kSave);
       },
       "", "Typo"},
      {"nothing changed", [](ConfigurationDialog&) {}, "", "A"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ConfigurationDialog dialog(TwoSets());
    Open(dialog);
    c.operate(dialog);
    const std::size_t before = answerer_.seen().size();
    Click(dialog, ids::kOk);
    if (c.message.empty()) {
      EXPECT_TRUE(Closed(dialog));
      EXPECT_EQ(dialog.state().name, c.takenName);
      EXPECT_TRUE(std::filesystem::exists(FilePath(c.takenName)));
      continue;
    }
    EXPECT_TRUE(dialog.isVisible());
    ASSERT_EQ(answerer_.seen().size(), before + 1);
    EXPECT_NE(answerer_.seen().back().text.find(c.message), std::string::npos)
        << answerer_.seen().back().text;
    EXPECT_EQ(answerer_.seen().back().caption, "Torvane");
  }
  EXPECT_FALSE(std::filesystem::exists(FilePath("Torvane")));
  EXPECT_FALSE(std::filesystem::exists(FilePath(longest + "n")));
}

TEST_F(DialogOkTest, ListsOfASetWithoutTheirValuesShowAndSaveNone) {
  struct Case {
    const char* name;
    std::string pages;  // the set file's "Pages 3-17" section
  };
  const std::vector<Case> cases = {
      {"no keys", ""},
      {"values the lists do not hold", "[Pages 3-17]\r\nCounter Page=2\r\nAlignment=Centre\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ConfigurationSet inUse;
    inUse.counterPage = "5";
    inUse.alignment = "Left";
    ConfigDialogState state = StateWithFile("In use", inUse);
    state.setList = {"In use", "Bare"};
    test::WriteWholeFile(FilePath("Bare"), "[Work order Setup]\r\nQuantity=3\r\n" + c.pages);
    ConfigurationDialog dialog(state);
    Open(dialog);
    EXPECT_EQ(Find<QComboBox>(dialog, dlg::kCounterPage)->currentText(), "5");
    Pick(dialog, "Bare");
    ASSERT_TRUE(test::WaitUntil([&] { return Text(dialog, dlg::kQuantity) == "3"; }));
    EXPECT_EQ(Find<QComboBox>(dialog, dlg::kCounterPage)->currentText(), "None");
    EXPECT_EQ(Find<QComboBox>(dialog, dlg::kAlignment)->currentText(), "None");
    Click(dialog, dlg::kSave);
    const std::string file = test::ReadWholeFile(FilePath("Bare"));
    EXPECT_NE(file.find("Counter Page=None\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("Alignment=None\r\n"), std::string::npos) << file;
    Click(dialog, ids::kOk);
    EXPECT_TRUE(Closed(dialog));
  }
}

}  // namespace
}  // namespace torvane
