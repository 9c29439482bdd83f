#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <array>
#include <string>
#include <vector>

#include "station_with_reader_fixture.h"

namespace torvane::test {
namespace {

using Lines = std::vector<std::string>;

constexpr sim::Page kBlank{};
constexpr sim::Page kLow{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77};
constexpr sim::Page kHigh{0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
constexpr sim::Page kTagMarks{0x54, 0x41, 0x47, 0x00, 0x20, 0x7E, 0x61, 0x62};
constexpr sim::Page kTag{'T', 'A', 'G', '1', '2', '3', '4', '5'};

using PageOperationsTest = StationWithReaderTest;

TEST_F(PageOperationsTest, WrittenPagesReachTheTransponderInEitherForm) {
  struct Row {
    int formButton;
    std::array<std::string, 3> typed;
    std::array<std::string, 3> shown;  // after Enter
    std::array<sim::Page, 3> held;
    std::string lastRecord;  // on top of the terminal
  };
  const Row rows[] = {
      {ids::kHexButton,
       {"0011223344556677", "8899aabbccddeeff", "54 41 47 00 20 7E 61 62"},
       {"00 11 22 33 44 55 66 77", "88 99 aa bb cc dd ee ff", "54 41 47 00 20 7E 61 62"},
       {kLow, kHigh, kTagMarks},
       "ACK\nWD 3 54414700207E6162// Write page 3\n"},
      {ids::kAsciiButton,
       {"TAG12345", "AB DEFG ", "abcdefgh"},
       {"T A G 1 2 3 4 5", "A B   D E F G  ", "a b c d e f g h"},
       {kTag, sim::Page{'A', 'B', ' ', 'D', 'E', 'F', 'G', ' '},
        sim::Page{'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'}},
       "ACK\nWD 3 6162636465666768// Write page 3\n"},
  };
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  SelectOnly({1, 2, 3});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed[0]);
    simulator_->PlaceBlankTransponder();
    Click(row.formButton);
    for (int page = 1; page <= 3; ++page) {
      TypePage(page, row.typed[page - 1]);
      EXPECT_EQ(PageText(page), row.shown[page - 1]);
      EXPECT_EQ(PageColour(page), colour::kGreen);
    }
    TypePage(4, row.typed[0]);  // valid, but not selected
    Click(ids::kWriteButton);

    const sim::Transponder held = OnAntenna();
    for (int page = 1; page <= 3; ++page) {
      EXPECT_EQ(held.pages[page - 1], row.held[page - 1]) << page;
      EXPECT_EQ(PageColour(page), colour::kGreen) << page;
    }
    EXPECT_EQ(held.pages[3], kBlank);
    EXPECT_EQ(PageColour(4), colour::kWhite);
    const QString output = Control<QPlainTextEdit>(ids::kTerminalOutput)->toPlainText();
    EXPECT_TRUE(output.startsWith(QString::fromStdString(row.lastRecord))) << output.toStdString();
  }
  EXPECT_TRUE(answerer_->seen().empty());
}

TEST_F(PageOperationsTest, LockedPageRefusesTheNextWriteAndStopsTheRun) {
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  SelectOnly({1, 2, 3});
  TypePage(1, "1111111111111111");
  TypePage(2, "2222222222222222");
  TypePage(3, "3333333333333333");
  Click(ids::kWriteButton);
  const sim::Transponder written = OnAntenna();

  SelectOnly({2, 3});
  NewCommands();
  Click(ids::kLockButton);
  EXPECT_EQ(NewCommands(), (Lines{"TOR", "LD 2", "LD 3"}));
  EXPECT_EQ(OnAntenna().locked, (std::array<bool, sim::kPageCount>{false, true, true}));
  EXPECT_EQ(PageColour(2), colour::kGreen);
  EXPECT_EQ(PageColour(3), colour::kGreen);

  SelectOnly({1, 2, 3});
  TypePage(1, "AAAAAAAAAAAAAAAA");
  TypePage(2, "BBBBBBBBBBBBBBBB");
  TypePage(3, "CCCCCCCCCCCCCCCC");
  Click(ids::kWriteButton);
  EXPECT_EQ(NewCommands(),
            (Lines{"TOR", "RUID", "WD 1 AAAAAAAAAAAAAAAA", "WD 2 BBBBBBBBBBBBBBBB"}));
  EXPECT_EQ(PageColour(1), colour::kGreen);
  EXPECT_EQ(PageColour(2), colour::kRed);
  EXPECT_EQ(PageColour(3), colour::kWhite);
  EXPECT_EQ(window_->state().reader.errorCount, 1);
  const sim::Transponder held = OnAntenna();
  EXPECT_EQ(held.pages[0], (sim::Page{0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}));
  EXPECT_EQ(held.pages[1], written.pages[1]);
  EXPECT_EQ(held.pages[2], written.pages[2]);
  EXPECT_TRUE(answerer_->seen().empty());
}

TEST_F(PageOperationsTest, ReadShowsTheTransponderInTheChosenForm) {
  struct Row {
    int formButton;
    int typeButton;
    std::string page1, page2;
    std::string uidAfterRead;
  };
  const Row rows[] = {
      {ids::kHexButton, ids::kTiButton, "54 41 47 00 20 7E 61 62", "54 41 47 31 32 33 34 35", ""},
      {ids::kAsciiButton, ids::kQuorviButton, "T A G NUL   ~ a b", "T A G 1 2 3 4 5", "E004C0DE"},
  };
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  PutOnAntenna(kTagMarks, kTag, "E004C0DE");
  SelectOnly({1, 2});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.page1);
    Click(row.formButton);
    SetCheck(row.typeButton, true);
    Type(ids::kPageField[0], "old");
    Type(ids::kPageField[2], "not selected");
    Type(ids::kUidField, "old");
    Click(ids::kReadButton);

    EXPECT_EQ(PageText(1), row.page1);
    EXPECT_EQ(PageText(2), row.page2);
    EXPECT_EQ(PageText(3), "not selected");
    EXPECT_EQ(PageColour(1), colour::kGreen);
    EXPECT_EQ(PageColour(2), colour::kGreen);
    EXPECT_EQ(PageColour(3), colour::kWhite);
    EXPECT_EQ(Text(ids::kUidField), row.uidAfterRead);
    EXPECT_EQ(Colour(ids::kUidField), row.uidAfterRead.empty() ? colour::kWhite : colour::kGreen);

    Type(ids::kUidField, "old");
    Click(ids::kReadUidButton);
    EXPECT_EQ(Text(ids::kUidField), "E004C0DE");
    EXPECT_EQ(Colour(ids::kUidField), colour::kGreen);
  }
}

}  // namespace
}  // namespace torvane::test
