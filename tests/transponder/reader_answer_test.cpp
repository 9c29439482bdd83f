#include <gtest/gtest.h>

#include <string>

#include "transponder/reader_command.h"
#include "transponder/reader_exchange.h"

namespace torvane {
namespace {

struct Judged {
  std::string kept;
  bool goodUid;
  bool goodPage;
  bool acknowledged;
};

TEST(ReaderAnswer, JudgesKeptAnswers) {
  const Judged cases[] = {
      {"E0040100", true, false, false},
      {"No Read\r", false, false, false},  // the first 8 characters of a refused UID read
      {"E0#09100", false, false, false},
      {"XXXXXXXX", false, false, false},
      {"E004010", false, false, false},
      {"0011223344556677", false, true, false},
      {"aabbccddeeff0011", false, true, false},
      {"00112233445566G7", false, false, false},  // not a page, however long
      {"No Read\r\n", false, false, false},
      {"001122334455667", false, false, false},
      {"ACK", false, false, true},
      {"NAK", false, false, false},
      {"AC", false, false, false},
      {"", false, false, false},
  };
  for (const Judged& c : cases) {
    SCOPED_TRACE(c.kept);
    EXPECT_EQ(IsGoodUidAnswer(c.kept), c.goodUid);
    EXPECT_EQ(IsGoodPageAnswer(c.kept), c.goodPage);
    EXPECT_EQ(IsAcknowledged(c.kept), c.acknowledged);
  }
}

TEST(ReaderAnswer, TimingValueReadsLeadingDigits) {
  const std::pair<std::string, int> cases[] = {
      {"10\r\n", 10}, {"255\r\n", 255}, {"0\r\n", 0},         {"ERR\r\n", 0},
      {"", 0},        {"7x", 7},        {"99999999999", 256}, {" 5", 0},
  };
  for (const auto& [answer, value] : cases) {
    SCOPED_TRACE(answer);
    EXPECT_EQ(TimingValue(answer), value);
  }
}

TEST(ReaderCommand, TextsWaitsAndRecords) {
  struct Row {
    ReaderCommand command;
    std::string text;
    int wait;
    std::size_t kept;
    std::string record;
  };
  const Row rows[] = {
      {ReaderCommand::ReadUid(), "RUID\r", 9, 8, "RUID // Read UID\r\n"},
      {ReaderCommand::ReadPage(1), "RD 1\r", 17, 16, "RD 1 // Read page 1\r\n"},
      {ReaderCommand::ReadPage(17), "RD 17\r", 17, 16, "RD 17 // Read page 17\r\n"},
      {ReaderCommand::WritePage(10, "0011223344556677"), "WD 10 0011223344556677\r", 4, 3,
       "WD 10 0011223344556677// Write page 10\r\n"},
      {ReaderCommand::LockPage(3), "LD 3\r", 4, 3, "LD 3 // Lock page 3\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(row.command.text, row.text);
    EXPECT_EQ(row.command.waitUnits, row.wait);
    EXPECT_EQ(row.command.keptLength, row.kept);
    EXPECT_EQ(row.command.record, row.record);
  }
  const ReaderCommand calibration = ReaderCommand::Calibration();
  EXPECT_EQ(calibration.text, "TOR\r");
  EXPECT_EQ(calibration.waitUnits, 4);
  EXPECT_FALSE(calibration.record.has_value());
}

}  // namespace
}  // namespace torvane
