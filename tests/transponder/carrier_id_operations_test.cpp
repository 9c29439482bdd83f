#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/control_ids.h"
#include "transponder/operations_fixture.h"

namespace torvane::test {
namespace {

using Lines = std::vector<std::string>;

constexpr sim::Page kTag{'T', 'A', 'G', '1', '2', '3', '4', '5'};
constexpr sim::Page kLetters{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
constexpr sim::Page kLow{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77};
constexpr sim::Page kHigh{0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};

class CarrierIdOperationsTest : public OperationsFixture {
 protected:
  void Place(std::string offset, std::string length, PageForm form, std::string identifier) {
    carrierId = {std::move(offset), std::move(length), std::move(identifier)};
    pages.displayForm = form;
  }
};

TEST_F(CarrierIdOperationsTest, ReadTakesOnlyThePagesTheIdentifierLiesIn) {
  struct Row {
    std::string offset, length;
    PageForm form;
    Lines commands;
    std::string identifier;
  };
  const Row rows[] = {
      {"0", "8", PageForm::Hex, {"TOR", "RD 1"}, "5441473132333435"},
      {"6", "4", PageForm::Ascii, {"TOR", "RD 1", "RD 2"}, "45AB"},
      {"10", "4", PageForm::Ascii, {"TOR", "RD 2"}, "CDEF"},
  };
  PutPages(kTag, kLetters);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.offset);
    Place(row.offset, row.length, row.form, "old");
    carrier.OnReadCarrierId();
    EXPECT_EQ(NewCommands(), row.commands);
    EXPECT_EQ(carrierId.carrierIdText, row.identifier);
    EXPECT_EQ(view.colourOf(ids::kCarrierIdField), colour::kGreen);
  }
}

TEST_F(CarrierIdOperationsTest, ReadIsRedWhenAnyPageItNeedsFailed) {
  simulator->RemoveTransponder();
  Place("6", "4", PageForm::Hex, "");
  carrier.OnReadCarrierId();
  EXPECT_EQ(view.colourOf(ids::kCarrierIdField), colour::kRed);
}

TEST_F(CarrierIdOperationsTest, WriteChangesOnlyTheIdentifierBytes) {
  struct Row {
    std::string offset, length;
    PageForm form;
    std::string identifier;
    Lines writes;
    sim::Page page1, page2;
  };
  const Row rows[] = {
      {"2",
       "4",
       PageForm::Ascii,
       "AB12",
       {"WD 1 0011414231326677", "WD 2 8899AABBCCDDEEFF"},
       {0x00, 0x11, 'A', 'B', '1', '2', 0x66, 0x77},
       kHigh},
      {"6",
       "4",
       PageForm::Hex,
       "41424344",
       {"WD 1 0011223344554142", "WD 2 4344AABBCCDDEEFF"},
       {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 'A', 'B'},
       {'C', 'D', 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}},
      {"0",
       "16",
       PageForm::Ascii,
       "TAG12345ABCDEFGH",
       {"WD 1 5441473132333435", "WD 2 4142434445464748"},
       kTag,
       kLetters},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.identifier);
    PutPages(kLow, kHigh);
    NewCommands();
    Place(row.offset, row.length, row.form, row.identifier);
    carrier.OnWriteCarrierId();

    Lines expected = {"TOR", "RD 1", "RD 2"};
    expected.insert(expected.end(), row.writes.begin(), row.writes.end());
    expected.push_back("TOR");  // the read-back
    const Lines commands = NewCommands();
    EXPECT_EQ(Lines(commands.begin(), commands.begin() + 6), expected);
    EXPECT_EQ(OnAntenna().pages[0], row.page1);
    EXPECT_EQ(OnAntenna().pages[1], row.page2);
    EXPECT_EQ(carrierId.carrierIdText, row.identifier);
    EXPECT_EQ(view.colourOf(ids::kCarrierIdField), colour::kGreen);
  }
  // The read-back cleared the pane and left only its own records.
  EXPECT_EQ(terminal.terminalOutput,
            "4142434445464748\r\nRD 2 // Read page 2\r\n"
            "5441473132333435\r\nRD 1 // Read page 1\r\n");
}

TEST_F(CarrierIdOperationsTest, WriteRefusesWhatWouldShiftTheBytes) {
  struct Row {
    std::string offset;
    PageForm form;
    std::string identifier;
    std::string message;
    Lines commands;
  };
  const Row rows[] = {
      {"2", PageForm::Ascii, "AB1", "change Carrier ID to a length of 4 characters", {}},
      {"2",
       PageForm::Hex,
       "4142313X",
       "change Carrier ID to a length of 4 printable hexadecimal (20,21,..7E,..) characters",
       {}},
      {"13", PageForm::Ascii, "AB12", "change Carrier ID Offset to a value from 0 to 12", {}},
      {"-1", PageForm::Ascii, "AB12", "change Carrier ID Offset to a value from 0 to 12", {}},
      // Taken off the antenna: neither page can be read.
      {"2",
       PageForm::Ascii,
       "AB12",
       "Carrier ID not written: page 1 could not be read. Check the transponder on the antenna.",
       {"TOR", "RD 1", "RD 2"}},
  };
  PutPages(kLow, kHigh);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.identifier + " at " + row.offset);
    if (!row.commands.empty()) simulator->RemoveTransponder();
    view.messages.clear();
    Place(row.offset, "4", row.form, row.identifier);
    carrier.OnWriteCarrierId();
    EXPECT_EQ(NewCommands(), row.commands);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, row.message);
    EXPECT_EQ(view.messages[0].caption, "Torvane");
    EXPECT_EQ(view.colourOf(ids::kCarrierIdField), colour::kRed);
  }
  // The transponder put on the antenna last, taken off for the last row.
  const sim::Transponder held = simulator->Programmed().back();
  EXPECT_EQ(held.pages[0], kLow);
  EXPECT_EQ(held.pages[1], kHigh);
}

TEST_F(CarrierIdOperationsTest, ClosedPortOnlyClearsTheTerminal) {
  link.CloseComPort();
  Place("2", "4", PageForm::Ascii, "AB12");
  terminal.terminalOutput = "old\r\n";
  carrier.OnWriteCarrierId();
  EXPECT_EQ(terminal.terminalOutput, "");
  EXPECT_EQ(carrierId.carrierIdText, "AB12");
  EXPECT_TRUE(simulator->ReceivedCommands().empty());
}

}  // namespace
}  // namespace torvane::test
