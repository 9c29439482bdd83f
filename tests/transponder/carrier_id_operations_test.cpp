#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/hex_text.h"
#include "transponder/carrier_id_place.h"
#include "transponder/operations_fixture.h"
#include "transponder/page_codec.h"
#include "view/control_ids.h"

namespace torvane::test {
namespace {

using Lines = std::vector<std::string>;

constexpr sim::Page kTag{'T', 'A', 'G', '1', '2', '3', '4', '5'};
constexpr sim::Page kLetters{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
constexpr sim::Page kLow{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77};
constexpr sim::Page kHigh{0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF};

TEST(CarrierIdPlace, ReadsTypedNumbersAndCutsTheDigits) {
  struct Row {
    std::string offset, length;
    long long wantOffset;
    int wantLength;
    std::string digits;  // out of pages 0011223344556677 and 8899AABBCCDDEEFF
  };
  const Row rows[] = {
      {"", "", 0, 1, "00"},
      {"6x", "20", 6, 16, "66778899AABBCCDDEEFF"},  // digits beyond page 2 are missing
      {"-2", "2", -2, 2, "0011"},                   // a negative offset counts from the start
      {"99999999999999999999", "3", 1'000'000'000, 3, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.offset + "/" + row.length);
    const CarrierIdPlace place = CarrierIdPlace::FromFields({row.offset, row.length, ""});
    EXPECT_EQ(place.offset(), row.wantOffset);
    EXPECT_EQ(place.length(), row.wantLength);
    EXPECT_EQ(place.DigitsFrom("0011223344556677", "8899AABBCCDDEEFF"), row.digits);
  }
}

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

TEST_F(CarrierIdOperationsTest, ZeroByteEndsTheIdentifierInAsciiFormOnly) {
  PutPages({0x41, 0x00, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47}, kLetters);
  const std::vector<std::pair<PageForm, std::string>> rows = {{PageForm::Ascii, "A"},
                                                              {PageForm::Hex, "4100424344454647"}};
  for (const auto& [form, identifier] : rows) {
    Place("0", "8", form, "old");
    carrier.OnReadCarrierId();
    EXPECT_EQ(carrierId.carrierIdText, identifier);
  }
}

TEST_F(CarrierIdOperationsTest, WriteChangesOnlyTheIdentifierBytes) {
  struct Row {
    std::string offset, length;
    PageForm form;
    std::string identifier;
    std::string page1, page2;  // what the write commands carry and the transponder holds
  };
  const Row rows[] = {
      {"2", "4", PageForm::Ascii, "AB12", "0011414231326677", "8899AABBCCDDEEFF"},
      {"6", "4", PageForm::Hex, "41424344", "0011223344554142", "4344AABBCCDDEEFF"},
      {"0", "16", PageForm::Ascii, "TAG12345ABCDEFGH", "5441473132333435", "4142434445464748"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.identifier);
    PutPages(kLow, kHigh);
    NewCommands();
    Place(row.offset, row.length, row.form, row.identifier);
    carrier.OnWriteCarrierId();

    const Lines commands = NewCommands();
    EXPECT_EQ(Lines(commands.begin(), commands.begin() + 6),
              (Lines{"TOR", "RD 1", "RD 2", "WD 1 " + row.page1, "WD 2 " + row.page2, "TOR"}))
        << "the pages read, written, and the read-back begun";
    const sim::Transponder held = OnAntenna();
    EXPECT_EQ(CharsToHex(std::string(held.pages[0].begin(), held.pages[0].end())), row.page1);
    EXPECT_EQ(CharsToHex(std::string(held.pages[1].begin(), held.pages[1].end())), row.page2);
    EXPECT_EQ(carrierId.carrierIdText, row.identifier);
    EXPECT_EQ(view.colourOf(ids::kCarrierIdField), colour::kGreen);
  }
  // The read-back cleared the pane and left only its own records.
  EXPECT_EQ(terminal.terminalOutput,
            "4142434445464748\r\nRD 2 // Read page 2\r\n"
            "5441473132333435\r\nRD 1 // Read page 1\r\n");
}

TEST_F(CarrierIdOperationsTest, WriteRefusesWhatWouldShiftTheBytesBeforeSendingAnything) {
  const std::string offsetRange = "change Carrier ID Offset to a value from 0 to 12";
  struct Row {
    std::string offset;
    PageForm form;
    std::string identifier, message;
  };
  const Row rows[] = {
      {"2", PageForm::Ascii, "AB1", "change Carrier ID to a length of 4 characters"},
      {"2", PageForm::Hex, "4142313X",
       "change Carrier ID to a length of 8 hexadecimal digits (4 bytes of 20,21,..7E,..)"},
      {"13", PageForm::Ascii, "AB12", offsetRange},
      {"-1", PageForm::Ascii, "AB12", offsetRange},
  };
  PutPages(kLow, kHigh);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.identifier + " at " + row.offset);
    view.messages.clear();
    Place(row.offset, "4", row.form, row.identifier);
    carrier.OnWriteCarrierId();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, row.message);
    EXPECT_EQ(view.messages[0].caption, "Torvane");
    EXPECT_EQ(view.colourOf(ids::kCarrierIdField), colour::kRed);
  }
  EXPECT_EQ(NewCommands(), Lines{});
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
