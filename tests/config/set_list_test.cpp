#include "config/set_save.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/set_dir_fixture.h"
#include "config/set_file.h"

namespace torvane {
namespace {

// The operator: answers the overwrite question as told, records every message.
class ScriptedOperator : public OperatorMessages {
 public:
  struct Message {
    std::string text;
    MessageIcon icon;
    MessageButtons buttons;
  };

  MessageAnswer ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                            MessageButtons buttons) override {
    EXPECT_EQ(caption, "Torvane");
    messages.push_back({text, icon, buttons});
    return buttons == MessageButtons::YesNo ? answer : MessageAnswer::Ok;
  }

  std::vector<std::string> texts() const {
    std::vector<std::string> result;
    for (const Message& m : messages) result.push_back(m.text);
    return result;
  }

  MessageAnswer answer = MessageAnswer::Yes;
  std::vector<Message> messages;
};

constexpr const char* kQuestion = "This parameter set already exists.\r\nOverwrite it?";

class SetListTest : public test::SetDirectoryTest {
 protected:
  ConfigurationSet SetOfQuantity(const std::string& quantity) {
    ConfigurationSet set;
    set.quantity = quantity;
    return set;
  }
  SaveSetResult Save(const std::string& name, const std::string& quantity = "1") {
    return SaveSet(op, directory.string(), name, SetOfQuantity(quantity), list);
  }
  std::string QuantityIn(const std::string& name) {
    ConfigurationSet set;
    LoadConfigurationSet(directory.string(), name, SetLoad::MainWindow, set);
    return set.quantity;
  }

  ScriptedOperator op;
  SetList list;
};

TEST_F(SetListTest, NewNameIsSavedAndAddedWithoutQuestion) {
  const SaveSetResult result = Save("Lot A", "50");
  EXPECT_EQ(result.outcome, SaveSetOutcome::Saved);
  EXPECT_TRUE(result.nameAdded);
  EXPECT_EQ(list, SetList{"Lot A"});
  EXPECT_TRUE(op.messages.empty());
  EXPECT_EQ(QuantityIn("Lot A"), "50");
}

TEST_F(SetListTest, ExistingFileIsOverwrittenOnlyOnYesAndListedOnce) {
  ASSERT_EQ(Save("Lot A", "50").outcome, SaveSetOutcome::Saved);
  const std::string before = ReadFile("Lot A.ini");

  op.answer = MessageAnswer::No;
  EXPECT_EQ(Save("Lot A", "60").outcome, SaveSetOutcome::Declined);
  EXPECT_EQ(ReadFile("Lot A.ini"), before);

  op.answer = MessageAnswer::Yes;
  const SaveSetResult result = Save("Lot A", "70");
  EXPECT_EQ(result.outcome, SaveSetOutcome::Saved);
  EXPECT_FALSE(result.nameAdded);
  EXPECT_EQ(QuantityIn("Lot A"), "70");
  EXPECT_EQ(list, SetList{"Lot A"});
  ASSERT_EQ(op.messages.size(), 2u);
  for (const auto& message : op.messages) {
    EXPECT_EQ(message.text, kQuestion);
    EXPECT_EQ(message.icon, MessageIcon::Question);
    EXPECT_EQ(message.buttons, MessageButtons::YesNo);
  }
}

TEST_F(SetListTest, DeletingTheSecondOfThreeClosesTheGapAndKeepsTheFile) {
  for (const char* name : {"A", "B", "C"}) ASSERT_EQ(Save(name).outcome, SaveSetOutcome::Saved);
  EXPECT_TRUE(DeleteName(list, "B"));
  EXPECT_EQ(list, (SetList{"A", "C"}));
  EXPECT_FALSE(DeleteName(list, "B"));
  EXPECT_FALSE(DeleteName(list, "a"));  // names compare exactly
  EXPECT_EQ(ReadFile("B.ini").empty(), false);

  const SaveSetResult again = Save("B");
  EXPECT_EQ(again.outcome, SaveSetOutcome::Saved);
  EXPECT_TRUE(again.nameAdded);
  EXPECT_EQ(list, (SetList{"A", "C", "B"}));
  EXPECT_EQ(op.texts(), std::vector<std::string>{kQuestion});
}

TEST_F(SetListTest, NewNameFillsTheFirstEmptySlotAndKeepsTheRest) {
  list = {"A", "", "C"};
  EXPECT_TRUE(Save("B").nameAdded);
  EXPECT_EQ(list, (SetList{"A", "B", "C"}));
  list = {"A", "", "C", ""};
  EXPECT_TRUE(DeleteName(list, "C"));
  EXPECT_EQ(list, SetList{"A"});
}

TEST_F(SetListTest, FullListTakesNoNewName) {
  for (std::size_t i = 0; i < kMaxSetListSize; ++i) list.push_back("S" + std::to_string(i));
  const SaveSetResult refused = Save("One too many");
  EXPECT_EQ(refused.outcome, SaveSetOutcome::Refused);
  ASSERT_EQ(op.messages.size(), 1u);
  EXPECT_NE(op.messages[0].text.find("full"), std::string::npos);
  EXPECT_EQ(op.messages[0].icon, MessageIcon::Warning);
  EXPECT_TRUE(FileNames().empty());
  EXPECT_EQ(list.size(), kMaxSetListSize);

  EXPECT_EQ(Save("S7").outcome, SaveSetOutcome::Saved);  // a listed name still saves
  EXPECT_EQ(list.size(), kMaxSetListSize);
}

TEST_F(SetListTest, UnusableNamesAreRefusedAndWriteNothing) {
  std::filesystem::create_directory(directory / "work");
  for (const std::string name : {"", "../escape", ".hidden"}) {
    op.messages.clear();
    const SaveSetResult result =
        SaveSet(op, (directory / "work").string(), name, SetOfQuantity("1"), list);
    EXPECT_EQ(result.outcome, SaveSetOutcome::Refused) << name;
    ASSERT_EQ(op.messages.size(), 1u) << name;
    EXPECT_EQ(op.messages[0].icon, MessageIcon::Warning);
  }
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(FileNames(), std::vector<std::string>{"work"});
  EXPECT_TRUE(std::filesystem::is_empty(directory / "work"));
}

TEST_F(SetListTest, FileThatCannotBeWrittenIsReportedTwice) {
  const SaveSetResult result =
      SaveSet(op, (directory / "gone").string(), "Lot", SetOfQuantity("1"), list);
  EXPECT_EQ(result.outcome, SaveSetOutcome::Failed);
  EXPECT_EQ(op.texts(), (std::vector<std::string>{"No access to ini file or path.",
                                                  "Error while saving configuration set"}));
  EXPECT_EQ(op.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(op.messages[1].icon, MessageIcon::Error);
  EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace torvane
