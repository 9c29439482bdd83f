#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "station_with_reader_fixture.h"

namespace torvane::test {
namespace {

using RestartTest = StationWithReaderTest;

// What the operator set up comes back after a restart, including page texts
// with blank bytes at their ends, and the restarted station works on the same
// reader at once.
TEST_F(RestartTest, OperatorSetupSurvivesARestart) {
  const std::string handMade = "P5Default=01 02 03 04 05 06 07 08";
  ASSERT_NO_FATAL_FAILURE(StartOnReader("[Data]\r\n" + handMade + "\r\n"));
  // The end of the work order is typed in Config mode, which rebuilds the pages
  // from the set in use; Manual mode keeps the end and lets the pages be typed.
  Click(ids::kConfigModeButton);
  Type(ids::kMaxField, "500");
  Click(ids::kManualModeButton);
  SelectOnly({2, 5});
  Click(ids::kAsciiButton);
  TypePage(1, " ABCDEF ");
  TypePage(2, "TAG12345");
  TypePage(5, "12345678");
  SetCheck(ids::kTiButton, true);
  SetCheck(ids::kLogCheck, true);
  Type(ids::kCarrierIdOffsetField, "6");
  Type(ids::kCarrierIdLengthField, "4");
  Type(ids::kCarrierIdField, "AB12");
  Click(ids::kWriteButton);
  ASSERT_EQ(OnAntenna().pages[1], (sim::Page{'T', 'A', 'G', '1', '2', '3', '4', '5'}));

  window_->close();
  ASSERT_TRUE(WaitUntil([&] { return !window_->isVisible(); }));
  window_.reset();
  const std::string settings = ReadSettings();
  for (const std::string& line :
       {"port=" + simulator_->devicePath(), std::string("Baudrate=115200"), std::string("Format=1"),
        handMade}) {
    EXPECT_NE(settings.find(line + "\r\n"), std::string::npos) << line << "\n" << settings;
  }

  Start();
  ASSERT_TRUE(window_->link().portOpen());
  const std::pair<int, std::string> shown[] = {{ids::kPageField[0], "  A B C D E F  "},
                                               {ids::kPageField[1], "T A G 1 2 3 4 5"},
                                               {ids::kPageField[4], "1 2 3 4 5 6 7 8"},
                                               {ids::kCarrierIdOffsetField, "6"},
                                               {ids::kCarrierIdLengthField, "4"},
                                               {ids::kCarrierIdField, "AB12"},
                                               {ids::kMaxField, "500"}};
  for (const auto& [id, text] : shown) EXPECT_EQ(Text(id), text) << id;
  const std::pair<int, bool> images[] = {
      {ids::kPageCheck[1], true},   {ids::kPageCheck[4], true},  {ids::kPageCheck[0], false},
      {ids::kAllPagesCheck, false}, {ids::kAsciiButton, true},   {ids::kHexButton, false},
      {ids::kTiButton, true},       {ids::kQuorviButton, false}, {ids::kLogCheck, true}};
  for (const auto& [id, set] : images) EXPECT_EQ(ShowsSet(id), set) << id;

  Click(ids::kAllPagesCheck);
  EXPECT_TRUE(ShowsSet(ids::kPageCheck[16]));
  SelectOnly({1, 2});
  SetCheck(ids::kQuorviButton, true);
  EXPECT_TRUE(ShowsSet(ids::kQuorviButton));
  EXPECT_FALSE(ShowsSet(ids::kTiButton)) << "one type at a time";
  Type(ids::kPageField[1], "old");
  NewCommands();
  Click(ids::kReadButton);
  EXPECT_EQ(NewCommands(), (std::vector<std::string>{"TOR", "RUID", "RD 1", "RD 2"}));
  EXPECT_EQ(Text(ids::kUidField), "E0040001");
  EXPECT_EQ(window_->state().reader.tiSelected, 0);
  EXPECT_EQ(PageText(2), "T A G 1 2 3 4 5");
  EXPECT_EQ(PageColour(2), colour::kGreen);
}

}  // namespace
}  // namespace torvane::test
