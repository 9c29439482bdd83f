#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <array>
#include <string>
#include <vector>

#include "station_with_reader_fixture.h"

namespace torvane::test {
namespace {

using Lines = std::vector<std::string>;

constexpr sim::Page kLow{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77};
constexpr sim::Page kHigh{0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};
constexpr sim::Page kTagMarks{0x54, 0x41, 0x47, 0x00, 0x20, 0x7E, 0x61, 0x62};
constexpr sim::Page kTag{'T', 'A', 'G', '1', '2', '3', '4', '5'};

using PageOperationsTest = StationWithReaderTest;

TEST_F(PageOperationsTest, WrittenPagesReachTheTransponderInEitherForm) {
  struct Row {
    int formButton;
    std::array<std::string, 2> typed;
    std::array<std::string, 2> shown;  // after Enter
    std::array<sim::Page, 2> held;
    std::string lastRecord;  // on top of the terminal
  };
  const Row rows[] = {
      {ids::kAsciiButton,
       {"AB DEFG ", "TAG12345"},
       {"A B   D E F G  ", "T A G 1 2 3 4 5"},
       {sim::Page{'A', 'B', ' ', 'D', 'E', 'F', 'G', ' '}, kTag},
       "ACK\nWD 2 5441473132333435// Write page 2\n"},
      {ids::kHexButton,
       {"8899aabbccddeeff", "54 41 47 00 20 7E 61 62"},
       {"88 99 aa bb cc dd ee ff", "54 41 47 00 20 7E 61 62"},
       {kHigh, kTagMarks},
       "ACK\nWD 2 54414700207E6162// Write page 2\n"},
  };
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  SelectOnly({1, 2});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.typed[0]);
    simulator_->PlaceBlankTransponder();
    Click(row.formButton);
    for (int page = 1; page <= 2; ++page) {
      TypePage(page, row.typed[page - 1]);
      EXPECT_EQ(PageText(page), row.shown[page - 1]);
    }
    TypePage(3, row.typed[0]);  // valid, but not selected
    Click(ids::kWriteButton);

    const sim::Transponder held = OnAntenna();
    for (int page = 1; page <= 2; ++page) {
      EXPECT_EQ(held.pages[page - 1], row.held[page - 1]) << page;
      EXPECT_EQ(PageColour(page), colour::kGreen) << page;
    }
    EXPECT_EQ(held.pages[2], sim::Page{});
    EXPECT_EQ(PageColour(3), colour::kWhite);
    const QString output = Control<QPlainTextEdit>(ids::kTerminalOutput)->toPlainText();
    EXPECT_TRUE(output.startsWith(QString::fromStdString(row.lastRecord))) << output.toStdString();
  }
  EXPECT_TRUE(answerer_->seen().empty());
}

// The transponder refuses to write a locked page; the run stops there.
TEST_F(PageOperationsTest, LockedPageKeepsItsBytesAndStopsTheNextWrite) {
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  SelectOnly({1, 2, 3});
  for (int page = 1; page <= 3; ++page) {
    TypePage(page, std::string(16, static_cast<char>('0' + page)));
  }
  Click(ids::kWriteButton);
  SelectOnly({2});
  NewCommands();
  Click(ids::kLockButton);
  EXPECT_EQ(NewCommands(), (Lines{"TOR", "LD 2"}));
  EXPECT_EQ(OnAntenna().locked, (std::array<bool, sim::kPageCount>{false, true}));
  EXPECT_EQ(PageColour(2), colour::kGreen);

  SelectOnly({1, 2, 3});
  SetCheck(ids::kQuorviButton, true);
  for (int page = 1; page <= 3; ++page) {
    TypePage(page, std::string(16, static_cast<char>('A' + page - 1)));
  }
  Click(ids::kWriteButton);
  EXPECT_EQ(NewCommands(),
            (Lines{"TOR", "RUID", "WD 1 AAAAAAAAAAAAAAAA", "WD 2 BBBBBBBBBBBBBBBB"}));
  EXPECT_EQ(PageColour(1), colour::kGreen);
  EXPECT_EQ(PageColour(2), colour::kRed);
  EXPECT_EQ(PageColour(3), colour::kWhite);
  EXPECT_EQ(window_->state().reader.errorCount, 1);
  const sim::Transponder held = OnAntenna();
  EXPECT_EQ(held.pages[0], (sim::Page{0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA, 0xAA}));
  EXPECT_EQ(held.pages[1], (sim::Page{0x22, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22, 0x22}));
  EXPECT_EQ(held.pages[2], (sim::Page{0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0x33}));
  EXPECT_TRUE(answerer_->seen().empty());
}

// The identifier replaces only its own bytes; one of the wrong length is
// refused before anything reaches the transponder.
TEST_F(PageOperationsTest, CarrierIdWriteChangesOnlyItsBytes) {
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  sim::Transponder transponder;
  transponder.pages[0] = kLow;
  transponder.pages[1] = kHigh;
  simulator_->SetTransponder(transponder);
  Click(ids::kAsciiButton);
  Type(ids::kCarrierIdOffsetField, "2");
  Type(ids::kCarrierIdLengthField, "4");
  Type(ids::kCarrierIdField, "AB123");
  Click(ids::kWriteCarrierIdButton);
  ASSERT_EQ(answerer_->seen().size(), 1u);
  EXPECT_EQ(answerer_->seen()[0].text, "change Carrier ID to a length of 4 characters");
  EXPECT_EQ(Colour(ids::kCarrierIdField), colour::kRed);
  EXPECT_EQ(OnAntenna().pages[0], kLow);

  Type(ids::kCarrierIdField, "AB12");
  Click(ids::kWriteCarrierIdButton);
  EXPECT_EQ(OnAntenna().pages[0], (sim::Page{0x00, 0x11, 'A', 'B', '1', '2', 0x66, 0x77}));
  EXPECT_EQ(OnAntenna().pages[1], kHigh);
  // Read back from the transponder.
  EXPECT_EQ(Text(ids::kCarrierIdField), "AB12");
  EXPECT_EQ(Colour(ids::kCarrierIdField), colour::kGreen);
  EXPECT_EQ(PageText(1), "NUL \x11 A B 1 2 f w");
  EXPECT_EQ(answerer_->seen().size(), 1u);
}

}  // namespace
}  // namespace torvane::test
