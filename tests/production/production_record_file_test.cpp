#include "production/production_record_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "production/record_paths.h"
#include "sample_record.h"
#include "support/scratch_directory.h"
#include "workbook_reader.h"

namespace torvane {
namespace {

using test::Lines;
using test::ReadWholeFile;
using test::SampleRecord;
using test::ScratchDirectory;

constexpr const char* kStamp = "06/12/26;22:33:51";

// Stamps that count up, so that the order of records shows in the file.
struct CountingStamps {
  int next = 10;
  std::string operator()() { return "06/12/26;22:33:" + std::to_string(next++); }
};

class ProductionRecordFileTest : public ::testing::Test {
 protected:
  ProductionRecord RecordTo(const std::string& path) {
    ProductionRecord record = SampleRecord();
    record.set.logFile = path;
    return record;
  }

  ScratchDirectory folder_;
  std::string path_ = folder_.File("records.xml");
};

TEST_F(ProductionRecordFileTest, ANewFileIsTheTemplateTheHeaderBlockAndTheRecord) {
  ProductionRecordFile file(folder_.path(), [] { return std::string(kStamp); });
  bool headerPending = false;  // a new file brings its own header block
  ASSERT_TRUE(file.AppendProductionRecord(RecordTo(path_), headerPending).ok());
  EXPECT_FALSE(headerPending);

  const std::string written = ReadWholeFile(path_);
  ASSERT_EQ(written.substr(written.size() - 2), "\r\n");
  EXPECT_EQ(written.find('\n'), written.find("\r\n") + 1);
  const auto lines = Lines(written, "\r\n");
  for (const std::string& line : lines) EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
  const auto golden = Lines(ReadWholeFile(TORVANE_GOLDEN_DIR "/new_production_record.xml"), "\n");
  ASSERT_EQ(lines.size(), golden.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], golden[i]) << "line " << i + 1;
}

TEST_F(ProductionRecordFileTest, ASecondRecordAddsOnlyItsThreeRows) {
  ProductionRecordFile file(folder_.path(), [] { return std::string(kStamp); });
  bool headerPending = true;
  ASSERT_TRUE(file.AppendProductionRecord(RecordTo(path_), headerPending).ok());
  const std::string first = ReadWholeFile(path_);
  ASSERT_TRUE(file.AppendProductionRecord(RecordTo(path_), headerPending).ok());
  const std::string second = ReadWholeFile(path_);

  const std::size_t recordStart =
      first.find("   <Row>\r\n    <Cell><Data ss:Type=\"String\">06/12/26");
  const std::size_t tableEnd = first.find("  </Table>");
  const std::string record = first.substr(recordStart, tableEnd - recordStart);
  EXPECT_EQ(Lines(record, "\r\n").size(), 2 * 58 + 2u);
  EXPECT_EQ(second, first.substr(0, tableEnd) + record + first.substr(tableEnd));
}

TEST_F(ProductionRecordFileTest, AHeaderBlockIsWrittenWhenPending) {
  ProductionRecordFile file(folder_.path(), [] { return std::string(kStamp); });
  bool headerPending = false;
  ASSERT_TRUE(file.AppendProductionRecord(RecordTo(path_), headerPending).ok());
  headerPending = true;  // e.g. continuous mode switched on
  ASSERT_TRUE(file.AppendProductionRecord(RecordTo(path_), headerPending).ok());
  EXPECT_FALSE(headerPending);
  const test::Workbook book = test::ReadWorkbook(path_);
  int headers = 0;
  for (const auto& row : book.rows) headers += !row.empty() && row[0] == "Procedure:";
  EXPECT_EQ(headers, 2);
}

// Column 1 labels of the header rows, "" for an empty row, up to "Transponder type:".
std::vector<std::string> HeaderLabels(const test::Workbook& book) {
  std::vector<std::string> labels;
  for (const auto& row : book.rows) {
    labels.push_back(row.empty() ? "" : row[0]);
    if (labels.back() == "Transponder type:") break;
  }
  return labels;
}

TEST_F(ProductionRecordFileTest, HeaderBlockBySource) {
  const std::vector<std::string> layout = {
      "Carrier ID Offset:", "Carrier ID Length:", "Lock Carrier ID:", "Memory Page:"};
  struct Case {
    const char* name;
    bool decimal, csv, complete, fix;
    std::vector<std::string> sourceRow;  // label and value; empty: no row
    bool layoutRows;
  } cases[] = {
      {"decimal counter", true, false, false, false, {"Decimal counter:", "true"}, true},
      {"csv", false, true, false, false, {"csv file:", "/data/ids.csv"}, true},
      {"complete csv", false, false, true, false, {"csv file:", "/data/ids.csv"}, false},
      {"csv wins over complete", false, true, true, false, {"csv file:", "/data/ids.csv"}, true},
      {"fix data", false, false, false, true, {"fix data:", "true"}, true},
      {"none", false, false, false, false, {}, true},
  };
  for (const Case& c : cases) {
    ScratchDirectory folder;
    ProductionRecord record = RecordTo(folder.File("r.xml"));
    record.set.sourceDecimalCounter = c.decimal;
    record.set.sourceCsv = c.csv;
    record.set.sourceCsvComplete = c.complete;
    record.set.sourceFixData = c.fix;
    record.set.sourceFile = "/data/ids.csv";
    record.set.typeTi = false;
    ProductionRecordFile file(folder.path());
    bool headerPending = true;
    ASSERT_TRUE(file.AppendProductionRecord(record, headerPending).ok()) << c.name;
    const test::Workbook book = test::ReadWorkbook(folder.File("r.xml"));
    ASSERT_EQ(book.error, "") << c.name;

    std::vector<std::string> expected = {"",
                                         "",
                                         "",
                                         "Procedure:",
                                         "",
                                         "Operator badge ID#:",
                                         "Part number:",
                                         "Work order number:",
                                         "Quantity:",
                                         ""};
    if (!c.sourceRow.empty()) expected.push_back(c.sourceRow[0]);
    expected.push_back("");
    if (c.layoutRows) expected.insert(expected.end(), layout.begin(), layout.end());
    expected.insert(expected.end(), {"", "Transponder type:"});
    EXPECT_EQ(HeaderLabels(book), expected) << c.name;
    if (!c.sourceRow.empty()) {
      EXPECT_EQ(book.rows[10].at(1), c.sourceRow[1]) << c.name;
    }
    EXPECT_EQ(book.rows[expected.size() - 1].at(1), "Quorvi Multipage") << c.name;
  }
}

TEST_F(ProductionRecordFileTest, CellsAsASpreadsheetReadsThem) {
  ProductionRecord record = RecordTo(path_);
  record.set.typeTi = false;
  record.pageSelected[0] = 0;  // page 1 out: page 2 stays in column 9
  record.pageSelected[4] = 1;
  record.pageText[4].clear();  // selected but empty: not recorded
  ProductionRecordFile file(folder_.path(), [] { return std::string(kStamp); });
  bool headerPending = true;
  ASSERT_TRUE(file.AppendProductionRecord(record, headerPending).ok());

  const test::Workbook book = test::ReadWorkbook(path_);
  ASSERT_EQ(book.error, "");
  EXPECT_EQ(book.expandedColumnCount, 57);
  ASSERT_EQ(book.rows.size(), 24u);
  const auto& columnHeaders = book.rows[19];
  EXPECT_EQ(columnHeaders[3], "UID");
  EXPECT_EQ(columnHeaders[53], "Page 17");
  EXPECT_EQ(book.rows[20][54], "Lock:");
  const auto& hexRow = book.rows[21];
  const auto& asciiRow = book.rows[22];
  ASSERT_EQ(hexRow.size(), 56u);
  EXPECT_EQ(hexRow[0], "06/12/26");
  EXPECT_EQ(hexRow[1], "22:33:51");
  EXPECT_EQ(hexRow[3], "E0040100");
  EXPECT_EQ(hexRow[5], "");
  EXPECT_EQ(hexRow[6], "");  // the lock mark goes with the data
  EXPECT_EQ(hexRow[8], "41 42 43 44 45 46 47 48");
  EXPECT_EQ(asciiRow[8], "A B C D E F G H");
  EXPECT_EQ(hexRow[17], "");
  EXPECT_TRUE(book.rows[23].empty());
}

TEST_F(ProductionRecordFileTest, SpecialCharactersAndHighBytesReadBackExactly) {
  ProductionRecord record = RecordTo(path_);
  record.setName = "A&B <1>";
  record.set.partNumber =
      "Pr\xFC"
      "fset";  // written by a Windows station
  record.hexText[1] = record.pageText[1] = "01 26 3C E9 22 27 3E 0D";
  record.asciiText[1] = HexToAscii(record.hexText[1]);
  ProductionRecordFile file(folder_.path(), [] { return std::string(kStamp); });
  bool headerPending = true;
  ASSERT_TRUE(file.AppendProductionRecord(record, headerPending).ok());

  const std::string raw = ReadWholeFile(path_);
  EXPECT_NE(raw.find(">A&amp;B &lt;1&gt;<"), std::string::npos);
  EXPECT_NE(raw.find(">\xEF\xBF\xBD &amp; &lt; \xC3\xA9 &quot; &apos; &gt; &#13;<"),
            std::string::npos);
  const test::Workbook book = test::ReadWorkbook(path_);
  ASSERT_EQ(book.error, "");
  EXPECT_EQ(book.rows[3][1], "A&B <1>");
  EXPECT_EQ(book.rows[6][1],
            "Pr\xC3\xBC"
            "fset");
  EXPECT_EQ(book.rows[22][8], "\xEF\xBF\xBD & < \xC3\xA9 \" ' > \r");
}

TEST_F(ProductionRecordFileTest, AnEmptyFileNameMeansTheDefaultInTheWorkingDirectory) {
  ProductionRecordFile file(folder_.path());
  bool headerPending = true;
  ASSERT_TRUE(file.AppendProductionRecord(RecordTo(""), headerPending).ok());
  EXPECT_TRUE(std::filesystem::exists(folder_.File(std::string(kDefaultProductionRecordFile))));
}

TEST_F(ProductionRecordFileTest, AForeignFileIsLeftUnchangedAndTheRecordWaits) {
  for (const char* foreign :
       {"just some notes\r\n", "<x>\r\n</Table></x>\r\n",
        "<html>\r\n<body>\r\n<Table>\r\n  <tr><td>1</td></tr>\r\n  </Table>",
        "<html>\r\n<Table>\r\n  </Table>\r\n </Worksheet>\r\n</Workbook>\r\n</html>\r\n"}) {
    ScratchDirectory folder;
    const std::string path = folder.File("r.xml");
    test::WriteWholeFile(path, foreign);
    ProductionRecordFile file(folder.path());
    bool headerPending = true;
    const Status status = file.AppendProductionRecord(RecordTo(path), headerPending);
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.error.find(path), std::string::npos) << status.error;
    EXPECT_NE(status.error.find("1 record waits"), std::string::npos) << status.error;
    EXPECT_EQ(ReadWholeFile(path), foreign);
    EXPECT_EQ(file.waitingCount(), 1u);
    EXPECT_EQ(file.failureMessage(), status.error);
  }
}

TEST_F(ProductionRecordFileTest, WaitingRecordsGoInFirstInOrderAlsoAfterARestart) {
  const std::string path = folder_.File("later/records.xml");
  CountingStamps stamps;
  {
    ProductionRecordFile file(folder_.path(), std::ref(stamps));
    bool headerPending = true;
    EXPECT_FALSE(file.AppendProductionRecord(RecordTo(path), headerPending).ok());
    EXPECT_FALSE(headerPending);  // the header block waits with the first record
    const Status second = file.AppendProductionRecord(RecordTo(path), headerPending);
    EXPECT_NE(second.error.find("2 records wait"), std::string::npos) << second.error;
    EXPECT_NE(second.error.find("No such file or directory"), std::string::npos);
  }
  std::filesystem::create_directory(folder_.File("later"));
  ProductionRecordFile restarted(folder_.path(), std::ref(stamps));
  bool headerPending = false;
  ASSERT_TRUE(restarted.AppendProductionRecord(RecordTo(path), headerPending).ok());
  EXPECT_EQ(restarted.waitingCount(), 0u);
  EXPECT_FALSE(std::filesystem::exists(folder_.File(std::string(kWaitingRecordsFile))));

  const test::Workbook book = test::ReadWorkbook(path);
  ASSERT_EQ(book.error, "");
  std::vector<std::string> times;
  int headers = 0;
  for (const auto& row : book.rows) {
    headers += !row.empty() && row[0] == "Procedure:";
    if (row.size() == 56 && row[5] == "30 30 30 30 30 30 34 32") times.push_back(row[1]);
  }
  EXPECT_EQ(headers, 1);
  EXPECT_EQ(times, (std::vector<std::string>{"22:33:10", "22:33:11", "22:33:12"}));
}

TEST_F(ProductionRecordFileTest, RecordsOfAnotherFileKeepWaitingWhileTheirFileFails) {
  ProductionRecordFile file(folder_.path());
  bool headerPending = true;
  EXPECT_FALSE(
      file.AppendProductionRecord(RecordTo(folder_.File("gone/a.xml")), headerPending).ok());
  // The set now points to a working file: its records are not held back.
  for (int i = 0; i < 2; ++i) {
    const Status status = file.AppendProductionRecord(RecordTo(path_), headerPending);
    EXPECT_TRUE(status.ok()) << status.error;
  }
  EXPECT_EQ(file.waitingCount(), 1u);
  EXPECT_TRUE(file.EnsureRecordsOnDisk().ok());
  // The record of the good file is in it, with a header: the file is new.
  const test::Workbook book = test::ReadWorkbook(path_);
  EXPECT_EQ(book.rows.size(), 27u);
}

}  // namespace
}  // namespace torvane
