#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "station_with_reader_fixture.h"

namespace torvane::test {
namespace {

constexpr sim::Page kLow{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77};
constexpr sim::Page kHigh{0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};

using CarrierIdTest = StationWithReaderTest;

TEST_F(CarrierIdTest, WriteChangesOnlyTheIdentifierBytesAndRefusesAWrongLength) {
  const std::string wrongLength = "change Carrier ID to a length of 4 characters";
  struct Row {
    std::string identifier;
    std::string refusal;  // empty: written
    sim::Page page1;
  };
  const Row rows[] = {
      {"AB1", wrongLength, kLow},
      {"AB123", wrongLength, kLow},
      {"AB12", "", {0x00, 0x11, 'A', 'B', '1', '2', 0x66, 0x77}},
  };
  ASSERT_NO_FATAL_FAILURE(StartOnReader());
  PutOnAntenna(kLow, kHigh, "E0040002");
  Click(ids::kAsciiButton);
  Type(ids::kCarrierIdOffsetField, "2");
  Type(ids::kCarrierIdLengthField, "4");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.identifier);
    Type(ids::kCarrierIdField, row.identifier);
    const std::size_t messagesBefore = answerer_->seen().size();
    NewCommands();
    Click(ids::kWriteCarrierIdButton);

    const std::vector<std::string> commands = NewCommands();
    const auto writes = std::count_if(commands.begin(), commands.end(),
                                      [](const std::string& c) { return c.starts_with("WD"); });
    const sim::Transponder held = OnAntenna();
    EXPECT_EQ(held.pages[0], row.page1);
    EXPECT_EQ(held.pages[1], kHigh);
    if (row.refusal.empty()) {
      EXPECT_EQ(writes, 2);
      EXPECT_EQ(answerer_->seen().size(), messagesBefore);
      EXPECT_EQ(Colour(ids::kCarrierIdField), colour::kGreen);
      // Read back from the transponder.
      EXPECT_EQ(Text(ids::kCarrierIdField), "AB12");
      EXPECT_EQ(PageText(1), "NUL \x11 A B 1 2 f w");
      EXPECT_EQ(PageColour(1), colour::kGreen);
    } else {
      EXPECT_EQ(writes, 0);
      ASSERT_EQ(answerer_->seen().size(), messagesBefore + 1);
      EXPECT_EQ(answerer_->seen().back().text, row.refusal);
      EXPECT_EQ(Colour(ids::kCarrierIdField), colour::kRed);
      EXPECT_EQ(Text(ids::kCarrierIdField), row.identifier);
    }
  }
}

}  // namespace
}  // namespace torvane::test
