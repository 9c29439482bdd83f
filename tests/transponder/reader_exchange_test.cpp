#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "res/control_ids.h"
#include "transponder/operations_fixture.h"
#include "transponder/scripted_reader.h"

namespace torvane::test {
namespace {

using Script = std::vector<std::optional<std::string>>;
using Lines = std::vector<std::string>;

class ReaderExchangeTest : public OperationsFixture {};

TEST_F(ReaderExchangeTest, CalibrationRescalesTheAnswerUnit) {
  struct Row {
    std::optional<std::string> timing;
    bool write;  // the write scales by 25, the page read by 13
    int unit;
  };
  // A short start unit keeps the silent row quick.
  constexpr int kStartUnit = 20;
  const Row rows[] = {
      {"10", false, 130},        {"10", true, 250},
      {"1", false, 13},          {"255", true, 6375},
      {"0", true, kStartUnit},   {"256", false, kStartUnit},
      {"ERR", true, kStartUnit}, {std::nullopt, false, kStartUnit},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.timing.value_or("(silent)"));
    ScriptedReader scripted({row.timing});
    OpenPort(scripted.devicePath());
    reader.answerUnit = kStartUnit;
    if (row.write) {
      manual.OnWritePages();
    } else {
      manual.OnReadPages();
    }
    EXPECT_EQ(reader.answerUnit, row.unit);
    EXPECT_EQ(scripted.ReceivedOnceThere(1), Lines{"TOR"});
    EXPECT_EQ(terminal.terminalOutput, "");  // the calibration leaves no record
  }
}

TEST_F(ReaderExchangeTest, ReadCutsJudgesRecordsAndStopsAfterAShortAnswer) {
  ScriptedReader scripted({"9", "E0040001", "0011223344556677EXTRA", "001122334455667G", "No Read",
                           "FFFFFFFFFFFFFFFF"});
  OpenPort(scripted.devicePath());
  reader.quorviSelected = 1;
  SelectPages({1, 2, 3, 4});
  pages.pageText[1] = "kept";
  manual.OnReadPages();

  EXPECT_EQ(scripted.Received(), (Lines{"TOR", "RUID", "RD 1", "RD 2", "RD 3"}));
  EXPECT_EQ(terminal.terminalOutput,
            "No Read\r\n\r\n"
            "RD 3 // Read page 3\r\n"
            "001122334455667G\r\n"
            "RD 2 // Read page 2\r\n"
            "0011223344556677\r\n"
            "RD 1 // Read page 1\r\n"
            "E0040001\r\n"
            "RUID // Read UID\r\n");
  EXPECT_EQ(reader.answerUnit, 9 * 13);
  EXPECT_EQ(reader.uidText, "E0040001");
  EXPECT_EQ(view.colourOf(ids::kUidField), colour::kGreen);
  EXPECT_EQ(pages.pageText[0], "00 11 22 33 44 55 66 77");
  EXPECT_EQ(pages.pageText[1], "kept");  // a page that is no page leaves the field alone
  const std::uint32_t expected[] = {colour::kGreen, colour::kRed, colour::kRed, colour::kWhite};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(view.colourOf(ids::kPageField[i]), expected[i]) << i;
  EXPECT_EQ(pages.pageDone[0], 1);
  EXPECT_EQ(pages.pageDone[1] + pages.pageDone[2] + pages.pageDone[3], 0);
  EXPECT_TRUE(!link.readBusy() && !link.writeBusy());
}

TEST_F(ReaderExchangeTest, UidAnswerEndsAReadThatSkipsPageOne) {
  ScriptedReader scripted({"9", "E0040001", "0011223344556677"});
  OpenPort(scripted.devicePath());
  reader.quorviSelected = 1;
  SelectPages({2});
  manual.OnReadPages();
  EXPECT_EQ(scripted.Received(), (Lines{"TOR", "RUID"}));
  EXPECT_EQ(view.colourOf(ids::kPageField[1]), colour::kWhite);
}

TEST_F(ReaderExchangeTest, LateAnswerIsTakenByTheNextExchange) {
  // The UID answer misses its wait and arrives while the page write waits.
  ScriptedReader scripted({"1", std::nullopt, "E0040001"});
  OpenPort(scripted.devicePath());
  reader.quorviSelected = 1;
  SelectPages({1, 2});
  pages.pageText[0] = "01 02 03 04 05 06 07 08";
  pages.pageText[1] = "01 02 03 04 05 06 07 08";
  manual.OnWritePages();

  EXPECT_EQ(scripted.Received(), (Lines{"TOR", "RUID", "WD 1 0102030405060708"}));
  EXPECT_EQ(terminal.terminalOutput,
            "E00\r\n"
            "WD 1 0102030405060708// Write page 1\r\n"
            "\r\n"
            "RUID // Read UID\r\n");
  EXPECT_EQ(view.colourOf(ids::kUidField), colour::kRed);
  EXPECT_EQ(view.colourOf(ids::kPageField[0]), colour::kRed);
  EXPECT_EQ(reader.errorCount, 2);
}

}  // namespace
}  // namespace torvane::test
