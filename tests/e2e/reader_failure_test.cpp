#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "station_with_reader_fixture.h"

namespace torvane::test {
namespace {

using ReaderFailureTest = StationWithReaderTest;

// With nothing on the antenna ("No Read", "NAK"), and with the reader's line
// gone as a pulled adapter leaves it, every operation fails visibly: its fields
// turn red, none turns green, nothing reaches a transponder, and the window
// goes on working.
TEST_F(ReaderFailureTest, NoTransponderAndNoReaderAreNeverASuccess) {
  const std::string notRead =
      "Carrier ID not written: page 1 could not be read. Check the transponder on the antenna.";
  struct Row {
    int button;
    std::vector<int> red;
    bool counted;         // the production cycle would see an error
    std::string message;  // empty: none
  };
  const Row rows[] = {
      {ids::kReadButton, {ids::kPageField[0]}, false, ""},
      {ids::kWriteButton, {ids::kPageField[0]}, true, ""},
      {ids::kLockButton, {ids::kPageField[0]}, true, ""},
      {ids::kReadUidButton, {ids::kUidField}, true, ""},
      {ids::kReadCarrierIdButton, {ids::kCarrierIdField, ids::kPageField[0]}, false, ""},
      {ids::kWriteCarrierIdButton, {ids::kCarrierIdField}, false, notRead},
  };
  std::vector<int> watched(ids::kPageField.begin(), ids::kPageField.end());
  watched.insert(watched.end(), {ids::kUidField, ids::kCarrierIdField});

  ASSERT_NO_FATAL_FAILURE(StartOnReader("", ReaderLink()));
  SelectOnly({1, 2});
  TypePage(1, "1111111111111111");
  TypePage(2, "2222222222222222");
  Type(ids::kCarrierIdOffsetField, "2");
  Type(ids::kCarrierIdLengthField, "4");
  simulator_->RemoveTransponder();

  for (const char* fault : {"no transponder", "hung up"}) {
    if (std::string(fault) == "hung up") simulator_->HangUp();
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(fault) + ", button " + std::to_string(row.button));
      const std::size_t messagesBefore = answerer_->seen().size();
      window_->state().reader.errorCount = 0;
      // A failed read shows whatever came back; the write needs a usable identifier.
      Type(ids::kCarrierIdField, "41423132");
      Click(row.button);

      for (int id : row.red) EXPECT_EQ(Colour(id), colour::kRed) << id;
      for (int id : watched) EXPECT_NE(Colour(id), colour::kGreen) << id;
      EXPECT_EQ(PageColour(2), colour::kWhite) << "not tried after page 1 failed";
      EXPECT_EQ(PageText(1), "11 11 11 11 11 11 11 11");
      if (row.counted) {
        EXPECT_GT(window_->state().reader.errorCount, 0);
      }
      if (row.message.empty()) {
        EXPECT_EQ(answerer_->seen().size(), messagesBefore);
      } else {
        ASSERT_EQ(answerer_->seen().size(), messagesBefore + 1);
        EXPECT_EQ(answerer_->seen().back().text, row.message);
      }
      EXPECT_TRUE(window_->isVisible());
    }
  }
  for (const sim::Transponder& transponder : simulator_->Programmed()) {
    EXPECT_EQ(transponder.pages, decltype(transponder.pages){});
    EXPECT_EQ(transponder.locked, decltype(transponder.locked){});
  }
}

}  // namespace
}  // namespace torvane::test
