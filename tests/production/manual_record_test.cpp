#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "production/manual_log_operations.h"
#include "production/record_paths.h"
#include "support/fake_file_chooser.h"
#include "support/fake_station_view.h"
#include "support/scratch_directory.h"
#include "transponder/page_codec.h"
#include "view/control_ids.h"
#include "workbook_reader.h"

namespace torvane {
namespace {

class ManualRecordTest : public ::testing::Test {
 protected:
  ManualRecordTest() {
    for (int i = 0; i < kPageCount; ++i) {
      pages_.hexText[i] = pages_.pageText[i] =
          "4" + std::to_string(i % 10) + " 20 20 20 20 20 20 21";
      pages_.asciiText[i] = HexToAscii(pages_.hexText[i]);
    }
    manualLog_.fileName = folder_.File("manual.xml");
  }

  test::Workbook Written() { return test::ReadWorkbook(manualLog_.fileName); }

  test::ScratchDirectory folder_;
  std::string workingDirectory_ = folder_.path();
  test::FakeStationView view_;
  ManualLogState manualLog_;
  PageState pages_;
  ReaderState reader_;
  SetInUse setInUse_;
  ManualLogOperations operations_{view_, manualLog_, pages_, reader_, setInUse_, workingDirectory_};
};

TEST_F(ManualRecordTest, EveryRecordHasItsHeaderAndOnlyPagesThatSucceeded) {
  pages_.pageSelected = {1, 1, 1};
  pages_.pageDone = {1, 0, 1};
  setInUse_.set.lockPage[2] = true;
  reader_.uidText = "E0040100";
  reader_.quorviSelected = 1;
  ASSERT_TRUE(operations_.WriteManualRecord(ManualRecordKind::Read).ok());
  reader_.quorviSelected = 0;
  ASSERT_TRUE(operations_.WriteManualRecord(ManualRecordKind::Write).ok());

  const test::Workbook book = Written();
  ASSERT_EQ(book.error, "");
  EXPECT_EQ(book.expandedColumnCount, 56);
  ASSERT_EQ(book.rows.size(), 18u);
  for (const auto& [start, label, uid] : {std::tuple{0, "Read", "E0040100"}, {9, "Write", ""}}) {
    EXPECT_TRUE(book.rows[start].empty());
    EXPECT_EQ(book.rows[start + 2], std::vector<std::string>{label});
    EXPECT_EQ(book.rows[start + 4][5], "Page 1");
    const auto& hexRow = book.rows[start + 6];
    ASSERT_EQ(hexRow.size(), 56u);
    EXPECT_EQ(hexRow[3], uid);
    EXPECT_EQ(hexRow[5], "40 20 20 20 20 20 20 21");
    EXPECT_EQ(hexRow[8], "");  // selected, but the reader step failed
    EXPECT_EQ(hexRow[11], "42 20 20 20 20 20 20 21");
    EXPECT_EQ(hexRow[12], "X");
    EXPECT_EQ(hexRow[14], "");                                             // not selected
    EXPECT_EQ(book.rows[start + 7][5], "@" + std::string(13, ' ') + "!");  // blanks are bytes too
  }
  EXPECT_TRUE(view_.messages.empty());
}

TEST_F(ManualRecordTest, AnEmptyPathMeansTheProductionDefault) {
  manualLog_.fileName.clear();
  ASSERT_TRUE(operations_.WriteManualRecord(ManualRecordKind::Read).ok());
  EXPECT_TRUE(std::filesystem::exists(folder_.File(std::string(kDefaultProductionRecordFile))));
}

TEST_F(ManualRecordTest, AFileThatCannotBeOpenedIsReportedAtOnce) {
  manualLog_.fileName = folder_.File("gone/manual.xml");
  EXPECT_FALSE(operations_.WriteManualRecord(ManualRecordKind::Write).ok());
  ASSERT_EQ(view_.messages.size(), 1u);
  const auto& message = view_.messages[0];
  EXPECT_EQ(message.caption, "Torvane");
  EXPECT_EQ(message.icon, MessageIcon::Error);
  EXPECT_EQ(message.text.rfind("Protocol file can't be opened.\r\n", 0), 0u);
  EXPECT_NE(message.text.find(manualLog_.fileName + ": No such file or directory"),
            std::string::npos);
}

TEST_F(ManualRecordTest, OpenAsksForAnXmlFileWhereTheLastOneWas) {
  struct Case {
    const char* name;
    std::string pathBefore;
    std::optional<std::string> answer;
    std::string startFolder;
    std::string pathAfter;
  } cases[] = {
      {"chosen", "/old/m.xml", "/new/n.xml", "/old/m.xml", "/new/n.xml"},
      {"cancelled", "/old/m.xml", std::nullopt, "/old/m.xml", "/old/m.xml"},
      {"cancelled without a path", "", std::nullopt, workingDirectory_,
       folder_.File("manual_log.xml")},
  };
  for (const Case& c : cases) {
    test::FakeFileChooser chooser;
    chooser.answer = c.answer;
    manualLog_.fileName = c.pathBefore;
    operations_.OnOpen(chooser);
    ASSERT_EQ(chooser.asked.size(), 1u) << c.name;
    EXPECT_EQ(chooser.asked[0].filter, "*.xml");
    EXPECT_EQ(chooser.asked[0].defaultSuffix, "xml");
    EXPECT_EQ(chooser.asked[0].startFolder, c.startFolder) << c.name;
    EXPECT_EQ(manualLog_.fileName, c.pathAfter) << c.name;
  }
}

TEST_F(ManualRecordTest, TheToggleShowsTheStateTheClickGaveIt) {
  for (const int on : {1, 0}) {
    manualLog_.manualLogOn = on;
    operations_.OnLogToggle();
    EXPECT_EQ(view_.images.at(ids::kLogCheck), on == 1);
  }
}

}  // namespace
}  // namespace torvane
