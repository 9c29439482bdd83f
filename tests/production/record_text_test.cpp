#include <gtest/gtest.h>

#include <tuple>

#include "production/record_blocks.h"
#include "production/record_rows.h"
#include "production/record_template.h"
#include "production/xml_cell_text.h"
#include "sample_record.h"

namespace torvane {
namespace {

TEST(XmlCellTextTest, PageBytesAreLatin1EscapedWithOneStandIn) {
  struct Case {
    const char* bytes;
    const char* text;
  } cases[] = {
      {"A&B <1>", "A&amp;B &lt;1&gt;"}, {"\"'", "&quot;&apos;"},
      {"\x01", "\xEF\xBF\xBD"},         {"\x1F\x02", "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"\t\n\r", "&#9;&#10;&#13;"},     {"\xE9", "\xC3\xA9"},
      {"\x80\xFF", "\xC2\x80\xC3\xBF"}, {"\x7F~ ", "\x7F~ "},
  };
  for (const Case& c : cases) EXPECT_EQ(XmlCellTextOfBytes(c.bytes), c.text) << c.bytes;
  EXPECT_EQ(XmlCellTextOfBytes(std::string_view("a\0b", 3)),
            "a\xEF\xBF\xBD"
            "b");
}

TEST(XmlCellTextTest, TextIsUtf8AsTheSettingsFilesAre) {
  struct Case {
    const char* text;
    const char* cell;
  } cases[] = {
      {"Pr\xC3\xBC"
       "fset",
       "Pr\xC3\xBC"
       "fset"},  // UTF-8 stays
      {"Pr\xFC"
       "fset",
       "Pr\xC3\xBC"
       "fset"},  // Windows-1252
      {"\x80 & 5", "\xE2\x82\xAC &amp; 5"},
      {"x\xEF\xBF\xBFy", "x\xEF\xBF\xBDy"},  // U+FFFF is no character
  };
  for (const Case& c : cases) EXPECT_EQ(XmlCellTextOfText(c.text), c.cell) << c.text;
}

TEST(RecordTemplateTest, ColumnCountIsTheOnlyDifference) {
  const auto production = test::Lines(RecordFileTemplate(kProductionRecordColumns), "\r\n");
  const auto manual = test::Lines(RecordFileTemplate(kManualRecordColumns), "\r\n");
  ASSERT_EQ(production.size(), 95u);
  ASSERT_EQ(manual.size(), 95u);
  for (std::size_t i = 0; i < production.size(); ++i) {
    if (i == 35) continue;
    EXPECT_EQ(production[i], manual[i]) << "line " << i + 1;
  }
  EXPECT_NE(production[35].find("ss:ExpandedColumnCount=\"57\""), std::string::npos);
  EXPECT_NE(manual[35].find("ss:ExpandedColumnCount=\"56\""), std::string::npos);
}

TEST(RecordBlocksTest, ManualHeaderNamesTheOperation) {
  for (const auto& [kind, label] :
       {std::pair{ManualRecordKind::Read, "Read"}, std::pair{ManualRecordKind::Write, "Write"}}) {
    const auto lines = test::Lines(ManualHeaderBlock(kind), "\r\n");
    ASSERT_GE(lines.size(), 9u);
    const std::vector<std::string> start(lines.begin(), lines.begin() + 9);
    EXPECT_EQ(start, (std::vector<std::string>{
                         "   <Row>", "   </Row>", "   <Row>", "   </Row>", "   <Row>",
                         std::string("    <Cell ss:Index=\"1\"><Data ss:Type=\"String\">") + label +
                             "</Data></Cell>",
                         "   </Row>", "   <Row>", "   </Row>"}));
    // Column headers: 3 cells and 17 pages, then Data: and Lock: of 17 pages.
    EXPECT_EQ(lines.size(), 9u + (2 + 20) + (2 + 34));
  }
}

TEST(RecordBlocksTest, APageIsRecordedWithItsLockMarkOnlyWhenAccepted) {
  const ProductionRecord record = test::SampleRecord();
  const RecordedPages pages = RecordedPagesOf(record.hexText, record.asciiText, record.set.lockPage,
                                              [](int i) { return i != 2; });
  EXPECT_EQ(pages[0].hexText, "30 30 30 30 30 30 34 32");
  EXPECT_EQ(pages[0].asciiText, "0 0 0 0 0 0 4 2");
  EXPECT_TRUE(pages[0].lockMark);
  EXPECT_FALSE(pages[1].lockMark);
  EXPECT_EQ(pages[2].hexText, "");  // locked by the set, but not recorded
  EXPECT_FALSE(pages[2].lockMark);
}

TEST(RecordRowsTest, StampOfAnyLengthGivesTheDateAndTimeCells) {
  const RecordedPages pages{};
  for (const auto& [stamp, date, time] :
       {std::tuple{"08/12/26;15:20:01", "08/12/26", "15:20:01"}, std::tuple{"08/12", "08/12", ""},
        std::tuple{"", "", ""}}) {
    const std::string text = RecordRows().Record(stamp, "", pages).text();
    const std::string cells = std::string("<Data ss:Type=\"String\">") + date +
                              "</Data></Cell>\r\n    <Cell><Data ss:Type=\"String\">" + time +
                              "</Data>";
    EXPECT_NE(text.find(cells), std::string::npos) << stamp << "\n" << text;
  }
}

}  // namespace
}  // namespace torvane
