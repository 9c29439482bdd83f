#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "transponder/operations_fixture.h"
#include "view/control_ids.h"

namespace torvane::test {
namespace {

using Lines = std::vector<std::string>;

constexpr sim::Page kBlank{};
constexpr sim::Page kOnes{0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11};
constexpr sim::Page kLetters{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
constexpr char kOnesText[] = "11 11 11 11 11 11 11 11";

class ManualOperationsTest : public OperationsFixture {
 protected:
  std::uint32_t PageColour(int n) const { return view.colourOf(ids::kPageField[n - 1]); }
};

TEST_F(ManualOperationsTest, UidIsReadRightAfterCalibrationWhenTheTypeAsksForIt) {
  struct Row {
    std::function<void()> op;
    int quorviSelected, setTypeQuorvi;
    Lines commands;
  };
  const Row rows[] = {
      {[this] { manual.OnReadPages(); }, 0, 1, {"TOR", "RD 1"}},
      {[this] { manual.OnReadPages(); }, 1, 0, {"TOR", "RUID", "RD 1"}},
      {[this] { manual.OnWritePages(); }, 0, 0, {"TOR", "WD 1 1111111111111111"}},
      {[this] { manual.OnWritePages(); }, 0, 1, {"TOR", "RUID", "WD 1 1111111111111111"}},
      {[this] { manual.OnWritePages(); }, 1, 0, {"TOR", "RUID", "WD 1 1111111111111111"}},
      {[this] { manual.OnReadUid(); }, 0, 0, {"TOR", "RUID"}},
  };
  SelectPages({1});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.commands.back());
    pages.pageText[0] = kOnesText;
    reader.quorviSelected = row.quorviSelected;
    setInUse.setTypeQuorvi = row.setTypeQuorvi;
    view.colours.clear();
    row.op();
    EXPECT_EQ(NewCommands(), row.commands);
    const bool uidRead = row.commands[1] == "RUID";
    EXPECT_EQ(reader.uidText, uidRead ? "E0040001" : "");
    EXPECT_EQ(view.colourOf(ids::kUidField), uidRead ? colour::kGreen : colour::kWhite);
    EXPECT_EQ(reader.errorCount, 0);
  }
  EXPECT_EQ(OnAntenna().pages[0], kOnes);
}

TEST_F(ManualOperationsTest, UnusablePageTextIsSkippedWithAMessage) {
  const std::string ascii =
      "change P2 to a length of 8 characters with spaces in between; 'NUL' is 0x00 in ASCII "
      "format";
  const std::string hex =
      "change P2 to a length of 16 printable hexadecimal characters (20,21,22,...,7D,7E) with "
      "spaces in between";
  struct Row {
    PageForm form;
    std::string good, bad, message;
  };
  const Row rows[] = {
      {PageForm::Ascii, "A B C D E F G H", "ABCDEFGHI", ascii},
      {PageForm::Ascii, "A B C D E F G H", "AB C D E F G H", ascii},  // seven bytes only
      {PageForm::Hex, "41 42 43 44 45 46 47 48", "22 22 22 22 22 22 22 2G", hex},
  };
  SelectPages({1, 2, 3});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bad);
    PutPages(kBlank, kBlank);
    view.messages.clear();
    pages.displayForm = row.form;
    pages.pageText = {row.good, row.bad, row.good};
    manual.OnWritePages();

    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, row.message);
    EXPECT_EQ(view.messages[0].caption, "Torvane");
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(reader.errorCount, 1);
    EXPECT_EQ(PageColour(2), colour::kRed);
    EXPECT_EQ(PageColour(3), colour::kGreen);
    const sim::Transponder held = OnAntenna();
    EXPECT_EQ(held.pages[1], kBlank);
    EXPECT_EQ(held.pages[2], kLetters);
  }
}

TEST_F(ManualOperationsTest, LockFollowsTheModeAndTheLockFlags) {
  struct Row {
    int configMode, nakPage;
    Lines commands;
    std::array<bool, 3> locked;
  };
  const Row rows[] = {
      {0, 0, {"TOR", "LD 1", "LD 2", "LD 3"}, {true, true, true}},
      {1, 0, {"TOR", "LD 2"}, {false, true, false}},
      {0, 2, {"TOR", "LD 1", "LD 2"}, {true, false, false}},
  };
  SelectPages({1, 2, 3});
  setInUse.set.lockPage[1] = true;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.commands.size());
    simulator->PlaceBlankTransponder();
    simulator->NakPage(row.nakPage);
    setInUse.configMode = row.configMode;
    manual.OnLockPages();
    EXPECT_EQ(NewCommands(), row.commands);
    EXPECT_EQ(reader.errorCount, row.nakPage == 0 ? 0 : 1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(OnAntenna().locked[i], row.locked[i]) << i + 1;
    EXPECT_EQ(PageColour(2), row.nakPage == 2 ? colour::kRed : colour::kGreen);
  }
}

TEST_F(ManualOperationsTest, ClosedPortSendsNothingAndFailsTheWriteAndTheLock) {
  struct Row {
    std::function<void()> op;
    int errors;  // errorCount afterwards, starting from 5
    int done;    // pageDone afterwards, starting from 1
  };
  const Row rows[] = {
      {[this] { manual.OnReadUid(); }, 0, 1},
      {[this] { manual.OnReadPages(); }, 5, 0},
      {[this] { manual.OnWritePages(); }, 1, 0},
      {[this] { manual.OnLockPages(); }, 1, 1},
  };
  link.CloseComPort();
  SelectPages({1});
  pages.pageText[0] = kOnesText;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.errors);
    reader.errorCount = 5;
    pages.pageDone.fill(1);
    terminal.terminalOutput = "old\r\n";
    row.op();
    EXPECT_EQ(reader.errorCount, row.errors);
    EXPECT_EQ(pages.pageDone[0], row.done);
    EXPECT_EQ(terminal.terminalOutput, "");
  }
  EXPECT_TRUE(simulator->ReceivedCommands().empty());
}

TEST_F(ManualOperationsTest, ManualRecordOnlyInManualModeWithTheLogOn) {
  const std::vector<ManualRecordKind> both = {ManualRecordKind::Read, ManualRecordKind::Write};
  struct Row {
    int logOn, configMode;
    bool recorded;
  };
  SelectPages({1});
  pages.pageText[0] = kOnesText;
  for (const Row row : {Row{1, 0, true}, Row{0, 0, false}, Row{1, 1, false}}) {
    manualLog.manualLogOn = row.logOn;
    setInUse.configMode = row.configMode;
    view.manualRecords.clear();
    manual.OnReadPages();
    manual.OnWritePages();
    EXPECT_EQ(view.manualRecords, row.recorded ? both : std::vector<ManualRecordKind>{});
  }
}

TEST_F(ManualOperationsTest, DefaultContentSelectsEveryPageInHexFormWithoutTheReader) {
  for (int i = 0; i < kPageCount; ++i) {
    pages.defaultPageText[i] = "0" + std::to_string(i % 10) + " 20 00 00 00 00 00 FF";
  }
  pages.displayForm = PageForm::Ascii;
  pages.pageText[0] = "A B C D E F G H";
  view.SetFieldColour(ids::kPageField[0], colour::kRed);
  manual.OnDefaultContent();
  EXPECT_EQ(pages.displayForm, PageForm::Hex);
  EXPECT_EQ(pages.pageText, pages.defaultPageText);
  EXPECT_EQ(pages.allPagesSelected, 1);
  for (int i = 0; i < kPageCount; ++i) {
    EXPECT_EQ(pages.pageSelected[i], 1);
    EXPECT_TRUE(view.images[ids::kPageCheck[i]]);
    EXPECT_EQ(PageColour(i + 1), colour::kWhite);
  }
  EXPECT_TRUE(view.images[ids::kAllPagesCheck]);
  EXPECT_TRUE(view.images[ids::kHexButton]);
  EXPECT_FALSE(view.images[ids::kAsciiButton]);
  EXPECT_TRUE(simulator->ReceivedCommands().empty());
}

}  // namespace
}  // namespace torvane::test
