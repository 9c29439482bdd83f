#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "transponder/sim_fixture.h"
#include "transponder/transponder_type.h"

namespace torvane::test {
namespace {

using Lines = std::vector<std::string>;

constexpr sim::Page kBlank{};
constexpr sim::Page kOnes{0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x11};
constexpr sim::Page kTwos{0x22, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22};
constexpr sim::Page kLetters{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};

class ManualOperationsTest : public SimFixture {
 protected:
  void FillPages(std::initializer_list<std::string> texts) {
    int i = 0;
    for (const std::string& text : texts) pages.pageText[i++] = text;
  }
  std::uint32_t PageColour(int n) const { return view.colourOf(ids::kPageField[n - 1]); }
};

TEST_F(ManualOperationsTest, UidIsReadRightAfterCalibrationWhenTheTypeAsksForIt) {
  enum class Op { ReadUid, Read, Write };
  struct Row {
    Op op;
    int quorviSelected;
    int setTypeQuorvi;
    Lines commands;
  };
  const Row rows[] = {
      {Op::Read, 0, 1, {"TOR", "RD 1"}},
      {Op::Read, 1, 0, {"TOR", "RUID", "RD 1"}},
      {Op::Write, 0, 0, {"TOR", "WD 1 1111111111111111"}},
      {Op::Write, 0, 1, {"TOR", "RUID", "WD 1 1111111111111111"}},
      {Op::Write, 1, 0, {"TOR", "RUID", "WD 1 1111111111111111"}},
      {Op::ReadUid, 0, 0, {"TOR", "RUID"}},
  };
  SelectPages({1});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.commands.back());
    FillPages({"11 11 11 11 11 11 11 11"});
    reader.quorviSelected = row.quorviSelected;
    setInUse.setTypeQuorvi = row.setTypeQuorvi;
    view.colours.clear();
    if (row.op == Op::ReadUid) manual.OnReadUid();
    if (row.op == Op::Read) manual.OnReadPages();
    if (row.op == Op::Write) manual.OnWritePages();
    EXPECT_EQ(NewCommands(), row.commands);
    const bool uidRead = row.commands[1] == "RUID";
    EXPECT_EQ(reader.uidText, uidRead ? "E0040001" : "");
    EXPECT_EQ(view.colourOf(ids::kUidField), uidRead ? colour::kGreen : colour::kWhite);
    EXPECT_EQ(reader.errorCount, 0);
  }
  EXPECT_EQ(OnAntenna().pages[0], kOnes);
}

TEST_F(ManualOperationsTest, RefusedWriteStopsTheLaterPages) {
  simulator->NakPage(2);
  SelectPages({1, 2, 3});
  FillPages({"11 11 11 11 11 11 11 11", "22 22 22 22 22 22 22 22", "33 33 33 33 33 33 33 33"});
  manual.OnWritePages();

  EXPECT_EQ(NewCommands(), (Lines{"TOR", "WD 1 1111111111111111", "WD 2 2222222222222222"}));
  EXPECT_EQ(terminal.terminalOutput,
            "NAK\r\nWD 2 2222222222222222// Write page 2\r\n"
            "ACK\r\nWD 1 1111111111111111// Write page 1\r\n");
  EXPECT_EQ(PageColour(1), colour::kGreen);
  EXPECT_EQ(PageColour(2), colour::kRed);
  EXPECT_EQ(PageColour(3), colour::kWhite);
  EXPECT_EQ(reader.errorCount, 1);
  EXPECT_EQ(pages.pageDone[0] + 2 * pages.pageDone[1] + 4 * pages.pageDone[2], 1);
  const sim::Transponder held = OnAntenna();
  EXPECT_EQ(held.pages[0], kOnes);
  EXPECT_EQ(held.pages[2], kBlank);
}

TEST_F(ManualOperationsTest, UnusablePageTextIsSkippedWithAMessage) {
  struct Row {
    PageForm form;
    std::string page2;
    std::string message;
  };
  const std::string ascii =
      "change P2 to a length of 8 characters with spaces in between; 'NUL' is 0x00 in ASCII "
      "format";
  const Row rows[] = {
      {PageForm::Ascii, "ABCDEFGHI", ascii},
      // Passes the length check but stands for seven bytes only.
      {PageForm::Ascii, "AB C D E F G H", ascii},
      {PageForm::Hex, "22 22 22 22 22 22 22 2G",
       "change P2 to a length of 16 printable hexadecimal characters (20,21,22,...,7D,7E) with "
       "spaces in between"},
  };
  SelectPages({1, 2, 3});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.page2);
    PutPages(kBlank, kBlank);
    view.messages.clear();
    pages.displayForm = row.form;
    if (row.form == PageForm::Ascii) {
      FillPages({"A B C D E F G H", row.page2, "A B C D E F G H"});
    } else {
      FillPages({"41 42 43 44 45 46 47 48", row.page2, "41 42 43 44 45 46 47 48"});
    }
    manual.OnWritePages();

    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, row.message);
    EXPECT_EQ(view.messages[0].caption, "Torvane");
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(reader.errorCount, 1);
    EXPECT_EQ(PageColour(2), colour::kRed);
    EXPECT_EQ(PageColour(3), colour::kGreen);
    const sim::Transponder held = OnAntenna();
    EXPECT_EQ(held.pages[0], kLetters);
    EXPECT_EQ(held.pages[1], kBlank);
    EXPECT_EQ(held.pages[2], kLetters);
    EXPECT_EQ(pages.hexText[0], "41 42 43 44 45 46 47 48");
  }
}

TEST_F(ManualOperationsTest, LockFollowsTheModeAndTheLockFlags) {
  struct Row {
    int configMode;
    int nakPage;
    Lines commands;
    std::array<bool, 3> locked;
    int errors;
  };
  const Row rows[] = {
      {0, 0, {"TOR", "LD 1", "LD 2", "LD 3"}, {true, true, true}, 0},
      {1, 0, {"TOR", "LD 2"}, {false, true, false}, 0},
      {0, 2, {"TOR", "LD 1", "LD 2"}, {true, false, false}, 1},
  };
  SelectPages({1, 2, 3});
  setInUse.lockPage[1] = 1;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.commands.size());
    simulator->PlaceBlankTransponder();
    simulator->NakPage(row.nakPage);
    setInUse.configMode = row.configMode;
    view.colours.clear();
    manual.OnLockPages();
    EXPECT_EQ(NewCommands(), row.commands);
    EXPECT_EQ(reader.errorCount, row.errors);
    const sim::Transponder held = OnAntenna();
    for (int i = 0; i < 3; ++i) EXPECT_EQ(held.locked[i], row.locked[i]) << "page " << i + 1;
    EXPECT_EQ(PageColour(2), row.nakPage == 2 ? colour::kRed : colour::kGreen);
  }
}

TEST_F(ManualOperationsTest, ReadShowsThePageInTheFormOnShow) {
  PutPages({0x54, 0x41, 0x47, 0x00, 0x20, 0x7E, 0x61, 0x62}, kBlank);
  pages.displayForm = PageForm::Ascii;
  SelectPages({1});
  manual.OnReadPages();
  EXPECT_EQ(pages.pageText[0], "T A G NUL   ~ a b");
  EXPECT_EQ(pages.hexText[0], "54 41 47 00 20 7E 61 62");
  EXPECT_EQ(pages.pageDone[0], 1);
  EXPECT_EQ(view.focused(), ids::kPageField[0]);
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
  FillPages({"11 11 11 11 11 11 11 11"});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.errors);
    reader.errorCount = 5;
    pages.pageDone.fill(1);
    terminal.terminalOutput = "old\r\n";
    row.op();
    EXPECT_EQ(reader.errorCount, row.errors);
    EXPECT_EQ(terminal.terminalOutput, "");
    EXPECT_EQ(pages.pageDone[0], row.done);
    EXPECT_EQ(PageColour(1), colour::kWhite);
  }
  EXPECT_TRUE(simulator->ReceivedCommands().empty());
  EXPECT_TRUE(!link.readBusy() && !link.writeBusy());
}

TEST_F(ManualOperationsTest, ManualRecordOnlyInManualModeWithTheLogOn) {
  struct Row {
    int logOn;
    int configMode;
    bool recorded;
  };
  const Row rows[] = {{1, 0, true}, {0, 0, false}, {1, 1, false}};
  SelectPages({1});
  FillPages({"11 11 11 11 11 11 11 11"});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.logOn * 10 + row.configMode);
    manualLog.manualLogOn = row.logOn;
    setInUse.configMode = row.configMode;
    view.manualRecords.clear();
    manual.OnReadPages();
    manual.OnWritePages();
    const std::vector<ManualRecordKind> expected = {ManualRecordKind::Read,
                                                    ManualRecordKind::Write};
    EXPECT_EQ(view.manualRecords, row.recorded ? expected : std::vector<ManualRecordKind>{});
  }
}

TEST_F(ManualOperationsTest, DefaultContentSelectsEveryPageInHexForm) {
  pages.displayForm = PageForm::Ascii;
  for (int i = 0; i < kPageCount; ++i) pages.defaultPageText[i] = std::to_string(10 + i);
  manual.OnDefaultContent();
  EXPECT_EQ(pages.pageText, pages.defaultPageText);
  EXPECT_EQ(pages.displayForm, PageForm::Hex);
  EXPECT_EQ(pages.allPagesSelected, 1);
  for (int selected : pages.pageSelected) EXPECT_EQ(selected, 1);
  EXPECT_TRUE(view.images.at(ids::kHexButton));
  EXPECT_FALSE(view.images.at(ids::kAsciiButton));
  EXPECT_TRUE(view.images.at(ids::kAllPagesCheck));
  for (int check : ids::kPageCheck) EXPECT_TRUE(view.images.at(check));
  EXPECT_TRUE(NewCommands().empty());
}

TEST(TransponderType, ExactlyOneTypeIsOn) {
  struct Row {
    bool tiPressed;
    int ti, quorvi;  // after the window took the pressed button's new state
    int wantTi, wantQuorvi;
  };
  const Row rows[] = {
      {false, 0, 1, 0, 1},
      {false, 0, 0, 1, 0},
      {true, 1, 1, 1, 0},
      {true, 0, 1, 0, 1},
  };
  for (const Row& row : rows) {
    FakeStationView view;
    ReaderState reader;
    reader.tiSelected = row.ti;
    reader.quorviSelected = row.quorvi;
    if (row.tiPressed) {
      OnTiType(view, reader);
    } else {
      OnQuorviType(view, reader);
    }
    EXPECT_EQ(reader.tiSelected, row.wantTi);
    EXPECT_EQ(reader.quorviSelected, row.wantQuorvi);
    EXPECT_EQ(view.images.at(ids::kTiButton), row.wantTi == 1);
    EXPECT_EQ(view.images.at(ids::kQuorviButton), row.wantQuorvi == 1);
  }
}

}  // namespace
}  // namespace torvane::test
