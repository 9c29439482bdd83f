#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QTimer>
#include <deque>

#include "config/carrier_id_layout.h"
#include "config/config_dialog_fixture.h"
#include "controls/image_button.h"
#include "view/config_dialog_ids.h"
#include "view/control_ids.h"
#include "view/file_chooser.h"
#include "windows/configuration_dialog.h"
#include "windows/pages_dialog.h"

namespace torvane {
namespace {

namespace dlg = ids::configuration_dialog;
namespace pages_dialog = ids::pages_dialog;

// Answers the file dialogs with prepared paths; cancelled once they run out.
class AnsweringFileChooser : public FileChooser {
 public:
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override {
    return Answer(request);
  }
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override {
    return Answer(request);
  }

  std::deque<std::string> answers;
  std::vector<FileDialogRequest> asked;

 private:
  std::optional<std::string> Answer(const FileDialogRequest& request) {
    asked.push_back(request);
    if (answers.empty()) return std::nullopt;
    std::string answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

using DialogWindowsTest = test::ConfigDialogTest;

TEST_F(DialogWindowsTest, PagesDialogReadsTheCounterBackOnOk) {
  PagesDialogState pages;
  for (int i = 0; i < 136; ++i) {
    pages.hex[i] = "41";
    pages.chars[i] = "A";
    pages.displayed[i] = "A";
  }
  pages.form = PageForm::Ascii;
  pages.counterPage = "5";
  pages.counterValue = "123";
  PagesDialog dialog(pages, nullptr);
  Open(dialog);
  EXPECT_EQ(dialog.windowTitle(), "Config Pages 3-17");
  EXPECT_EQ(Text(dialog, pages_dialog::ByteField(39)), "3");
  EXPECT_EQ(Text(dialog, pages_dialog::ByteField(16)), "A");
  EXPECT_FALSE(Find(dialog, pages_dialog::kEditButton[2])->isEnabled());
  EXPECT_TRUE(Find<ImageButton>(dialog, pages_dialog::kAsciiButton)->showsSetImage());
  Screenshot(dialog, "pages-dialog-ascii");

  Enter(dialog, pages_dialog::ByteField(39), "4");
  EXPECT_EQ(dialog.focusWidget(), Find(dialog, pages_dialog::ByteField(40)));
  Enter(dialog, pages_dialog::ByteField(135), "AB");
  ASSERT_EQ(answerer_.seen().size(), 1u);
  EXPECT_EQ(answerer_.seen()[0].text, "change byte 135 to a length of 1 character of 'NUL'");
  EXPECT_EQ(dialog.focusWidget(), Find(dialog, pages_dialog::ByteField(16)));
  Enter(dialog, pages_dialog::ByteField(135), "B");

  Click(dialog, pages_dialog::kHexButton);
  EXPECT_EQ(Text(dialog, pages_dialog::ByteField(39)), "34");
  Screenshot(dialog, "pages-dialog-hex");
  Click(dialog, ids::kOk);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.state().counterValue, "00000124");
  EXPECT_EQ(dialog.state().form, PageForm::Hex);
}

TEST_F(DialogWindowsTest, ConfigDialogLaysOutTheCounter) {
  ConfigurationDialog dialog(BlankState());
  Open(dialog);
  EXPECT_EQ(dialog.windowTitle(), "Config");
  EXPECT_TRUE(Find(dialog, ids::kOk)->isEnabled());
  Click(dialog, dlg::kSourceDecimalCounter);
  EXPECT_FALSE(Find(dialog, ids::kOk)->isEnabled());
  Enter(dialog, dlg::kOffset, "0");
  Enter(dialog, dlg::kLength, "20");
  ASSERT_EQ(answerer_.seen().size(), 1u);
  EXPECT_EQ(answerer_.seen()[0].text, "Carrier ID Length must be under 16.");
  EXPECT_EQ(answerer_.seen()[0].caption, "Torvane");
  EXPECT_EQ(Text(dialog, dlg::kLength), "16");
  Enter(dialog, dlg::kLength, "4");
  Enter(dialog, dlg::kOffset, "2");
  Enter(dialog, dlg::kCarrierId, "12");
  Click(dialog, dlg::kFill);
  EXPECT_EQ(answerer_.seen().size(), 1u);
  const char* hex[] = {"00", "00", "30", "30", "31", "32", "00", "00"};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(Text(dialog, dlg::kHexByte[i]), hex[i]) << i;
  EXPECT_EQ(Text(dialog, dlg::kAsciiByte[5]), "2");
  EXPECT_EQ(Background(dialog, dlg::kHexByte[2]), CarrierIdLayout::kIdentifierGreen);
  EXPECT_EQ(Background(dialog, dlg::kHexByte[6]), colour::kWhite);
  EXPECT_TRUE(Find<ImageButton>(dialog, dlg::kFixByte[0])->showsSetImage());
  EXPECT_FALSE(Find<ImageButton>(dialog, dlg::kFixByte[3])->showsSetImage());

  Enter(dialog, dlg::kAsciiByte[0], "A");
  EXPECT_EQ(Text(dialog, dlg::kHexByte[0]), "41");
  EXPECT_EQ(dialog.focusWidget(), Find(dialog, dlg::kAsciiByte[1]));
  Click(dialog, ids::kCancel);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(DialogWindowsTest, ConfigDialogWithEachSource) {
  struct Case {
    int button;
    const char* name;
    bool offsetEnabled, carrierIdEnabled, memoryPageEnabled, bytesEnabled;
  };
  const Case cases[] = {
      {dlg::kSourceDecimalCounter, "counter", true, true, false, true},
      {dlg::kSourceCsv, "csv", true, false, true, true},
      {dlg::kSourceCsvComplete, "csv-complete", false, false, false, false},
      {dlg::kSourceFixData, "fix-data", false, false, false, true},
  };
  ConfigurationSet set;
  set.logFile = "/records/" + std::string(90, 'r') + ".xml";
  ConfigDialogState state = StateWithFile("Job 7", set);
  state.setList = {"Job 7", "Job 8"};
  ConfigurationDialog dialog(state);
  Open(dialog);
  EXPECT_EQ(Find<QComboBox>(dialog, dlg::kName)->count(), 2);
  EXPECT_EQ(Find<QComboBox>(dialog, dlg::kName)->currentText(), "Job 7");
  const QString shownLog = Find<QLabel>(dialog, dlg::kLogFileName)->text();
  EXPECT_EQ(shownLog.size(), 88);
  EXPECT_TRUE(shownLog.startsWith("...r"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Click(dialog, c.button);
    EXPECT_EQ(Find(dialog, dlg::kOffset)->isEnabled(), c.offsetEnabled);
    EXPECT_EQ(Find(dialog, dlg::kCarrierId)->isEnabled(), c.carrierIdEnabled);
    EXPECT_EQ(Find(dialog, dlg::kMemoryPage)->isEnabled(), c.memoryPageEnabled);
    EXPECT_EQ(Find(dialog, dlg::kHexByte[0])->isEnabled(), c.bytesEnabled);
    EXPECT_EQ(Background(dialog, dlg::kOffset), c.offsetEnabled ? colour::kWhite : colour::kGrey);
    EXPECT_TRUE(Find<ImageButton>(dialog, c.button)->showsSetImage());
    Screenshot(dialog, std::string("config-dialog-") + c.name);
  }
  EXPECT_EQ(Find<QComboBox>(dialog, dlg::kCounterPage)->currentText(), "None");
}

TEST_F(DialogWindowsTest, FileChoosersAndTheirDisplays) {
  AnsweringFileChooser chooser;
  ConfigurationDialog dialog(BlankState());
  dialog.SetFileChooser(chooser);
  Open(dialog);
  Click(dialog, dlg::kSourceCsv);
  chooser.answers = {"/data/ids.csv"};
  Click(dialog, dlg::kSourceOpen);
  ASSERT_EQ(chooser.asked.size(), 1u);
  EXPECT_EQ(chooser.asked[0].filter, "*.csv");
  EXPECT_EQ(chooser.asked[0].startFolder, folder_.path().toStdString());
  EXPECT_EQ(Find<QLabel>(dialog, dlg::kSourceFileName)->text(), "/data/ids.csv");
  EXPECT_EQ(Find<QLabel>(dialog, dlg::kLogFileName)->text(), "/data/ids.xml");
  EXPECT_FALSE(Find(dialog, dlg::kLogOpen)->isEnabled());

  Click(dialog, dlg::kSourceFixData);
  EXPECT_TRUE(Find(dialog, dlg::kLogOpen)->isEnabled());
  Click(dialog, dlg::kLogOpen);
  EXPECT_EQ(chooser.asked.back().filter, "*.xml");
  EXPECT_EQ(chooser.asked.back().startFolder, "/data/ids.xml");
  Click(dialog, dlg::kLog);
  EXPECT_FALSE(Find(dialog, dlg::kLogOpen)->isEnabled());
}

TEST_F(DialogWindowsTest, CounterPageListHandsThePageToTheCounter) {
  ConfigurationSet set;
  set.editPage.fill(true);
  ConfigurationDialog dialog(StateWithFile("Pages", set));
  Open(dialog);
  auto* list = Find<QComboBox>(dialog, dlg::kCounterPage);
  list->setCurrentText("5");
  emit list->activated(list->currentIndex());
  EXPECT_TRUE(dialog.timerRunning(ConfigurationDialog::kCounterPageTimer));
  ASSERT_TRUE(test::WaitUntil(
      [&] { return !dialog.timerRunning(ConfigurationDialog::kCounterPageTimer); }));
  EXPECT_TRUE(Find<ImageButton>(dialog, dlg::kWritePages3To17)->showsSetImage());
  EXPECT_FALSE(Find(dialog, ids::kOk)->isEnabled());

  // The pages dialog shows page 5 as the counter's; Cancel there changes nothing.
  QTimer::singleShot(0, [&] {
    auto* pages = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->objectName(), "180");
    EXPECT_FALSE(Find(*pages, pages_dialog::kEditButton[2])->isEnabled());
    Screenshot(*pages, "pages-dialog-from-config");
    Click(*pages, ids::kCancel);
  });
  Click(dialog, dlg::kPagesEdit);
  EXPECT_FALSE(dialog.state().set.editPage[4]);
  EXPECT_TRUE(dialog.state().set.editPage[5]);
}

}  // namespace
}  // namespace torvane
