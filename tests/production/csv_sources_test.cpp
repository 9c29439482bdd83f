#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>

#include "platform/hex_text.h"
#include "production/csv_document.h"
#include "production/csv_source_file.h"
#include "production/production_fixture.h"
#include "production/production_messages.h"

namespace torvane::test {
namespace {

class CsvSourceTest : public ProductionTest {
 protected:
  std::string SetBytes(int first, int count) const {
    std::string chars;
    for (int i = first; i < first + count; ++i) chars += HexToChars(setInUse.set.byteHex[i]);
    return chars;
  }
};

TEST(CsvDocumentTest, EveryLineEndIsOneLineEndAndFieldsSplitAtLongDelimiters) {
  struct Case {
    std::string raw;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a\r\nb\r\n", {"a", "b"}},     {"a\nb\n", {"a", "b"}},     {"a\rb\r", {"a", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}}, {"a\n\rb", {"a", "", "b"}}, {"", {}},
  };
  for (const Case& c : cases) {
    const CsvDocument document(c.raw);
    std::vector<std::string> lines;
    document.ForEachLine([&](const CsvLine& line) {
      lines.emplace_back(line.text);
      return true;
    });
    EXPECT_EQ(lines, c.lines) << c.raw;
  }
  EXPECT_EQ(CsvDocument("a\nb").text(), "a\r\nb");

  // Each mark moves the gap in the text to its line: lines before and after it,
  // and a last line without a line end, stay whole in any order of marks.
  CsvDocument marked("h;d\na;\nb;\nc;\nd;");
  std::string expected = "h;d\r\na;\r\nb;\r\nc;\r\nd;";
  for (const std::size_t line : {3u, 1u, 4u, 2u}) {
    const std::string key(1, static_cast<char>('a' + line - 1));
    ASSERT_TRUE(MarkLineInDocument(marked, "ids.csv", ";", {line, key, 0, 1}).value) << key;
    expected.insert(expected.find(key + ";") + 2, "X");
    EXPECT_EQ(marked.text(), expected) << key;
  }
  EXPECT_FALSE(FirstPendingLine(marked, ";", 1));
  EXPECT_EQ(SplitFields("A1<>X<><>", "<>"), (std::vector<std::string_view>{"A1", "X", "", ""}));
  EXPECT_EQ(SplitFields("A1;X", ""), (std::vector<std::string_view>{"A1;X"}));
}

TEST_F(CsvSourceTest, SemicolonFileGivesTheFirstPendingLineAndMarksIt) {
  setInUse.set.carrierIdLength = "2";
  UseCsv("Carrier ID;done\r\nA1;X\r\nA2;\r\nA3;\r\n");
  ASSERT_EQ(cycle.csvSource().Prepare(), PrepareResult::Ready);
  EXPECT_EQ(production.nextCarrierId, "A2");
  EXPECT_EQ(setInUse.set.carrierId, "A2");
  EXPECT_EQ(SetBytes(0, 2), "A2");
  EXPECT_EQ(pages.pageText[0], "41 32 00 00 00 00 00 00");

  ASSERT_TRUE(cycle.csvSource().Advance().ok());
  EXPECT_EQ(Csv(), "Carrier ID;done\r\nA1;X\r\nA2;X\r\nA3;\r\n");
  ASSERT_EQ(cycle.csvSource().Prepare(), PrepareResult::Ready);
  EXPECT_EQ(production.nextCarrierId, "A3");
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(CsvSourceTest, LfOnlyFileIsRewrittenWithCrLf) {
  setInUse.set.carrierIdLength = "2";
  UseCsv("Carrier ID;done\nA1;\nA2;\n");
  ASSERT_EQ(cycle.csvSource().Prepare(), PrepareResult::Ready);
  ASSERT_TRUE(cycle.csvSource().Advance().ok());
  EXPECT_EQ(Csv(), "Carrier ID;done\r\nA1;X\r\nA2;\r\n");
}

TEST_F(CsvSourceTest, AByteOrderMarkIsNoPartOfTheHeaderAndStaysInTheFile) {
  setInUse.set.carrierIdLength = "2";
  UseCsv(
      "\xEF\xBB\xBF"
      "Carrier ID;done\r\nA1;\r\n");
  ASSERT_EQ(cycle.csvSource().Prepare(), PrepareResult::Ready);
  EXPECT_EQ(production.nextCarrierId, "A1");
  ASSERT_TRUE(cycle.csvSource().Advance().ok());
  EXPECT_EQ(Csv(),
            "\xEF\xBB\xBF"
            "Carrier ID;done\r\nA1;X\r\n");
}

TEST_F(CsvSourceTest, RefusedCarrierIdsComposeNothing) {
  struct Case {
    const char* name;
    std::string content;
    std::string length;
    std::string firstLine;
  };
  const Case cases[] = {
      {"one character short", "Carrier ID;done\r\nA2;\r\n", "3", text::kCsvWrongFormat},
      {"line without delimiter", "Carrier ID;done\r\nA2\r\n", "2", text::kCsvWrongFormat},
      {"all done", "Carrier ID;done\r\nA2;X\r\n", "2", text::kEndOfFile},
      {"header without done", "Carrier ID;state\r\nA2;\r\n", "2", text::kCsvWrongFormat},
  };
  for (const Case& c : cases) {
    view.messages.clear();
    setInUse.set.carrierId = "7";
    setInUse.set.carrierIdLength = c.length;
    UseCsv(c.content);
    EXPECT_EQ(cycle.csvSource().Prepare(), PrepareResult::WrongFormat) << c.name;
    EXPECT_EQ(reader.errorCount, 1) << c.name;
    EXPECT_EQ(setInUse.set.carrierId, "7") << c.name;
    EXPECT_EQ(SetBytes(0, 2), std::string(2, '\0')) << c.name;
    ASSERT_EQ(view.messages.size(), 1u) << c.name;
    // The cause and the next step follow on further lines.
    EXPECT_EQ(view.messages[0].text.rfind(c.firstLine + "\r\n", 0), 0u) << c.name;
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning) << c.name;
  }
}

TEST_F(CsvSourceTest, MissingFileIsReportedBeforeTheWrongFormat) {
  setInUse.set.sourceCsv = true;
  setInUse.set.sourceFile = directory.File("missing.csv");
  EXPECT_EQ(cycle.csvSource().Prepare(), PrepareResult::WrongFormat);
  ASSERT_EQ(view.messages.size(), 2u);
  EXPECT_EQ(view.messages[0].text, std::string(text::kNoCsvAccess) + "\r\n" +
                                       setInUse.set.sourceFile + ": No such file or directory");
  EXPECT_EQ(view.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(view.messages[1].text, text::kCsvWrongFormat);
}

TEST_F(CsvSourceTest, OnlyTheChosenLineIsMarkedWhateverElseEndsInTheKey) {
  struct Case {
    const char* name;
    std::string before;
    std::string after;
  };
  const Case cases[] = {
      {"key ends the header's Carrier ID", "Carrier ID;done\r\nID;\r\n",
       "Carrier ID;done\r\nID;X\r\n"},
      {"key ends a field of an earlier line", "Carrier ID;done;note\r\nA1;X;B2;\r\nB2;;\r\n",
       "Carrier ID;done;note\r\nA1;X;B2;\r\nB2;X;\r\n"},
      {"longer delimiter", "Carrier ID<>done\r\nB2<>\r\n", "Carrier ID<>done\r\nB2<>X\r\n"},
  };
  for (const Case& c : cases) {
    delimiter = std::string(c.name) == "longer delimiter" ? "<>" : ";";
    setInUse.set.carrierIdLength = "2";
    UseCsv(c.before);
    ASSERT_EQ(cycle.csvSource().Prepare(), PrepareResult::Ready) << c.name;
    ASSERT_TRUE(cycle.csvSource().Advance().ok()) << c.name;
    EXPECT_EQ(Csv(), c.after) << c.name;
  }
}

TEST_F(CsvSourceTest, LineThatChangedBeforeMarkingIsLeftAndReported) {
  setInUse.set.carrierIdLength = "2";
  UseCsv("Carrier ID;done\r\nA1;\r\nA2;\r\n");
  ASSERT_EQ(cycle.csvSource().Prepare(), PrepareResult::Ready);
  directory.Write("ids.csv", "Carrier ID;done\r\nA2;\r\n");
  const Status marked = cycle.csvSource().Advance();
  EXPECT_FALSE(marked.ok());
  EXPECT_NE(marked.error.find("A1"), std::string::npos) << marked.error;
  EXPECT_EQ(Csv(), "Carrier ID;done\r\nA2;\r\n");
}

TEST_F(CsvSourceTest, LineThatTheDelimiterWouldMisreadOnceMarkedIsLeftAndReported) {
  // With "X" as the delimiter the mark would only open another empty field.
  delimiter = "X";
  setInUse.set.carrierIdLength = "2";
  UseCsv("Carrier IDXdone\r\nA1X\r\n");
  ASSERT_EQ(cycle.csvSource().Prepare(), PrepareResult::Ready);
  const Status marked = cycle.csvSource().Advance();
  EXPECT_FALSE(marked.ok());
  EXPECT_NE(marked.error.find("delimiter"), std::string::npos) << marked.error;
  EXPECT_EQ(Csv(), "Carrier IDXdone\r\nA1X\r\n");
}

// Waits until a change made now gets a change time of its own, also where the
// file system keeps times only to the clock's tick.
void WaitForTheClockToPass(const std::string& path) {
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  timespec now{};
  do {
    clock_gettime(CLOCK_REALTIME_COARSE, &now);
  } while ((now.tv_sec < info.st_ctim.tv_sec ||
            (now.tv_sec == info.st_ctim.tv_sec && now.tv_nsec <= info.st_ctim.tv_nsec)) &&
           std::chrono::steady_clock::now() < deadline);
}

// Another program's change that keeps the size and sets the modification time
// back.
void RewriteKeepingSizeAndTime(const std::string& path, const std::string& content, bool newInode) {
  struct stat before {};
  ASSERT_EQ(stat(path.c_str(), &before), 0);
  const std::string written = newInode ? path + ".other" : path;
  WriteWholeFile(written, content);
  if (newInode) {
    ASSERT_EQ(std::rename(written.c_str(), path.c_str()), 0);
  }
  const timespec times[] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  struct stat after {};
  ASSERT_EQ(stat(path.c_str(), &after), 0);
  ASSERT_EQ(after.st_size, before.st_size);
}

TEST_F(CsvSourceTest, AFileChangedBetweenTwoCyclesIsReadAgain) {
  struct Case {
    const char* name;
    std::function<void(const std::string& path)> change;
    std::string nextId;
    std::size_t line;   // what a restart would mark if the station stopped now
    std::string after;  // once that carrier ID is marked
  };
  const Case cases[] = {
      {"a done line undone in place, same size and time",
       [](const std::string& path) {
         RewriteKeepingSizeAndTime(path, "Carrier ID;done\r\nA1; \r\nA2;\r\nA3;\r\n", false);
       },
       "A1", 1, "Carrier ID;done\r\nA1;X \r\nA2;\r\nA3;\r\n"},
      {"replaced by another file of the same size and time",
       [](const std::string& path) {
         RewriteKeepingSizeAndTime(path, "Carrier ID;done\r\nA1;X\r\nB2;\r\nB3;\r\n", true);
       },
       "B2", 2, "Carrier ID;done\r\nA1;X\r\nB2;X\r\nB3;\r\n"},
      {"the next line marked by a settlement after a restart",
       [](const std::string& path) {
         ASSERT_TRUE(MarkCsvLineDone(path, ";", {2, "A2"}).value);
       },
       "A3", 3, "Carrier ID;done\r\nA1;X\r\nA2;X\r\nA3;X\r\n"},
  };
  setInUse.set.carrierIdLength = "2";
  for (const Case& c : cases) {
    UseCsv("Carrier ID;done\r\nA1;\r\nA2;\r\nA3;\r\n");
    ASSERT_EQ(cycle.csvSource().Prepare(), PrepareResult::Ready) << c.name;
    ASSERT_TRUE(cycle.csvSource().Advance().ok()) << c.name;
    // The source now holds the file it wrote and has looked at the next line.
    ASSERT_EQ(cycle.csvSource().Prepare(), PrepareResult::Ready) << c.name;
    ASSERT_EQ(production.nextCarrierId, "A2") << c.name;
    WaitForTheClockToPass(setInUse.set.sourceFile);
    c.change(setInUse.set.sourceFile);
    ASSERT_EQ(cycle.csvSource().Prepare(), PrepareResult::Ready) << c.name;
    EXPECT_EQ(production.nextCarrierId, c.nextId) << c.name;
    EXPECT_EQ(cycle.csvSource().InFlight()->lineIndex, c.line) << c.name;
    ASSERT_TRUE(cycle.csvSource().Advance().ok()) << c.name;
    EXPECT_EQ(Csv(), c.after) << c.name;
  }
}

// A file long for its save size: a save every three marks. What another
// program changes meanwhile stays, and the marks held go into it.
TEST_F(CsvSourceTest, MarksOfALongFileAreSavedTogetherAndNoneIsLost) {
  const std::string path = directory.File("ids.csv");
  directory.Write("ids.csv", "Carrier ID;done\r\nA1;\r\nA2;\r\nA3;\r\nA4;\r\nA5;\r\nA6;\r\n");
  CsvSourceFile file(20);
  const auto mark = [&](std::size_t line) {
    const std::string key = "A" + std::to_string(line);
    const Result<bool> marked = file.MarkDone(path, ";", {line, key});
    EXPECT_TRUE(marked.ok() && marked.value) << key << ": " << marked.error;
  };
  mark(1);
  mark(2);
  EXPECT_EQ(Csv(), "Carrier ID;done\r\nA1;\r\nA2;\r\nA3;\r\nA4;\r\nA5;\r\nA6;\r\n");
  EXPECT_EQ(file.UnsavedMarks().size(), 2u);
  mark(3);
  EXPECT_EQ(Csv(), "Carrier ID;done\r\nA1;X\r\nA2;X\r\nA3;X\r\nA4;\r\nA5;\r\nA6;\r\n");
  EXPECT_TRUE(file.UnsavedMarks().empty());

  mark(4);
  WaitForTheClockToPass(path);
  directory.Write("ids.csv", Csv() + "B1;\r\n");
  ASSERT_TRUE(file.Open(path, ";").ok());
  EXPECT_EQ(file.FirstPendingLine(";", 1)->text, "A5;");
  ASSERT_TRUE(file.SaveMarks().ok());
  EXPECT_EQ(Csv(), "Carrier ID;done\r\nA1;X\r\nA2;X\r\nA3;X\r\nA4;X\r\nA5;\r\nA6;\r\nB1;\r\n");

  // A line changed under a mark held: the open says so once, the mark is dropped.
  mark(5);
  WaitForTheClockToPass(path);
  directory.Write("ids.csv", "Carrier ID;done\r\nA1;X\r\nA2;X\r\nA3;X\r\nA4;X\r\nZ5;\r\n");
  const auto reopened = file.Open(path, ";");
  EXPECT_FALSE(reopened.ok());
  EXPECT_NE(reopened.error.find(path), std::string::npos) << reopened.error;
  EXPECT_TRUE(file.Open(path, ";").ok());
  EXPECT_TRUE(file.UnsavedMarks().empty());
}

// The cycle's source on a file over the save size: the in-flight entry names
// the line whose mark is held, so a start after a stop marks it; an end saves
// what is held.
TEST_F(CsvSourceTest, MarksHeldByTheCycleAreSettledAfterAStopAndSavedAtTheEnd) {
  const std::string header = "Carrier ID;done\r\n";
  std::string text = header;
  // Longer than one save's size for one mark.
  for (int i = 100000; i < 220000; ++i) text += "B" + std::to_string(i) + ";\r\n";
  setInUse.set.carrierIdLength = "7";
  UseCsv(text);
  const auto advance = [&] {
    ASSERT_EQ(cycle.csvSource().Prepare(), PrepareResult::Ready);
    ASSERT_TRUE(cycle.csvSource().Advance().ok());
  };
  const auto start = [&] { return Csv().substr(0, header.size() + 2 * 11 + 2 * 10); };
  advance();
  EXPECT_TRUE(Csv() == text);
  ASSERT_EQ(cycle.csvSource().Prepare(), PrepareResult::Ready);
  const std::optional<InFlightEntry> entry = cycle.csvSource().InFlight();
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->unsavedLines, (std::vector<InFlightEntry::UnsavedLine>{{1, "B100000"}}));
  ASSERT_TRUE(cycle.settlement().Record(*entry).ok());
  ASSERT_TRUE(cycle.settlement().Settle().ok());
  EXPECT_EQ(start(), header + "B100000;X\r\nB100001;X\r\nB100002;\r\nB100003;\r\n");

  advance();
  EXPECT_EQ(start(), header + "B100000;X\r\nB100001;X\r\nB100002;\r\nB100003;\r\n");
  cycle.OnStationEnd();
  EXPECT_EQ(start(), header + "B100000;X\r\nB100001;X\r\nB100002;X\r\nB100003;\r");
}

std::string CompleteHeader() {
  std::string header =
      "Carrier ID format;Carrier ID offset;Carrier ID length;Carrier ID;"
      "Lock Carrier ID";
  for (int page = 3; page <= 17; ++page) {
    header += ";page" + std::to_string(page) + ";Lock page" + std::to_string(page);
  }
  return header + ";done\r\n";
}

// A complete row: pages 3 and 4 get data, page 4 is locked.
std::string CompleteRowLine(const std::string& format, const std::string& carrierId,
                            const std::string& page3, const std::string& done = "") {
  std::string row =
      format + ";0;8;" + carrierId + ";1;" + page3 + ";0;" + (format == "X" ? "5A5A" : "ZZ") + ";1";
  for (int page = 5; page <= 17; ++page) row += ";;0";
  return row + ";" + done;
}

TEST_F(CsvSourceTest, CompleteRowFillsEveryPageAndItsLockFlags) {
  UseCsv(CompleteHeader() + CompleteRowLine("X", "4142434445464748", "31323334") + "\r\n", true);
  ASSERT_EQ(cycle.completeSource().Prepare(), PrepareResult::Ready);
  EXPECT_EQ(production.nextCarrierId, "4142434445464748");
  EXPECT_EQ(SetBytes(0, 16), std::string("ABCDEFGH") + std::string(8, '\0'));
  EXPECT_EQ(SetBytes(16, 8), std::string("1234") + std::string(4, '\0'));
  EXPECT_EQ(SetBytes(24, 8), std::string("ZZ") + std::string(6, '\0'));
  EXPECT_TRUE(setInUse.set.lockPage[0] && setInUse.set.lockPage[1] && setInUse.set.lockPage[3]);
  EXPECT_FALSE(setInUse.set.lockPage[2]);
  EXPECT_EQ(pages.pageText[2], "31 32 33 34 00 00 00 00");

  ASSERT_TRUE(cycle.completeSource().Advance().ok());
  EXPECT_EQ(Csv(),
            CompleteHeader() + CompleteRowLine("X", "4142434445464748", "31323334", "X") + "\r\n");
}

TEST_F(CsvSourceTest, CompleteRowsThatCannotBeWrittenAsTheyStandAreQuoted) {
  struct Case {
    const char* name;
    std::string line;
  };
  const Case cases[] = {
      {"16 digits in character format", CompleteRowLine("A", "4142434445464748", "1234")},
      {"seven characters for length 8", CompleteRowLine("A", "ABCDEFG", "1234")},
      {"no hexadecimal digits", CompleteRowLine("X", "41424344454647GG", "31")},
      {"page data longer than a page", CompleteRowLine("A", "ABCDEFGH", "123456789")},
      {"unknown format", CompleteRowLine("B", "ABCDEFGH", "1234")},
  };
  for (const Case& c : cases) {
    view.messages.clear();
    UseCsv(CompleteHeader() + c.line + "\r\n", true);
    EXPECT_EQ(cycle.completeSource().Prepare(), PrepareResult::WrongFormat) << c.name;
    ASSERT_EQ(view.messages.size(), 1u) << c.name;
    const std::string quoted = std::string(text::kCsvWrongFormat) + text::kErrorInLine + c.line;
    EXPECT_EQ(view.messages[0].text.rfind(quoted + "\r\nLine 2 of ", 0), 0u) << c.name;
  }
}

TEST_F(CsvSourceTest, CompleteFileWithoutPendingRowsEnds) {
  UseCsv(CompleteHeader() + CompleteRowLine("A", "ABCDEFGH", "1", "X") + "\r\n", true);
  EXPECT_EQ(cycle.completeSource().Prepare(), PrepareResult::WrongFormat);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text.rfind(std::string(text::kEndOfFile) + "\r\n", 0), 0u);
}

TEST_F(CsvSourceTest, ACycleWithoutADataSetShowsOneBoxWithCauseAndNextStepAndAOneLineReason) {
  struct Case {
    const char* name;
    std::string content;
    bool complete;
    std::string delimiter;
    std::string firstLine;
    std::string detail;  // the line after the station's own text
    std::string reason;
  };
  const std::string file = directory.File("ids.csv");
  const std::string usedUp = "Every line of \"" + file + "\" is marked done";
  const std::string line3 = "Line 3 of \"" + file + "\" (delimiter \";\"): the carrier ID of ";
  const Case cases[] = {
      {"csv file used up", "Carrier ID;done\r\nA1;X\r\nA2; X\r\n", false, ";", text::kEndOfFile,
       usedUp, "source used up: every line of the csv file is done"},
      {"complete file used up",
       CompleteHeader() + CompleteRowLine("A", "ABCDEFGH", "1", "X") + "\r\n", true, ";",
       text::kEndOfFile, usedUp, "source used up: every line of the csv file is done"},
      {"csv line too long", "Carrier ID;done\r\nA1;X\r\nA234;\r\n", false, ";",
       text::kCsvWrongFormat, line3 + "4 characters, \"Carrier ID Length\" needs 3.",
       "csv line 3: carrier ID of 4 characters, \"Carrier ID Length\" needs 3"},
      {"csv line too short, long delimiter", "Carrier ID<>done\r\nA1<>\r\n", false, "<>",
       text::kCsvWrongFormat,
       "Line 2 of \"" + file +
           "\" (delimiter \"<>\"): the carrier ID of 2 characters, \"Carrier ID Length\" needs 3.",
       "csv line 2: carrier ID of 2 characters, \"Carrier ID Length\" needs 3"},
      {"complete row too short",
       CompleteHeader() + CompleteRowLine("A", "AB", "1", "X") + "\r\n" +
           CompleteRowLine("A", "ABCDEFG", "1") + "\r\n",
       true, ";", text::kCsvWrongFormat, line3 + "7 characters, \"Carrier ID length\" needs 8.",
       "csv line 3: carrier ID of 7 characters, \"Carrier ID length\" needs 8"},
      {"complete row of hexadecimal digits too long",
       CompleteHeader() + CompleteRowLine("A", "AB", "1", "X") + "\r\n" +
           CompleteRowLine("X", "414243444546474849", "31") + "\r\n",
       true, ";", text::kCsvWrongFormat, line3 + "18 characters, \"Carrier ID length\" needs 16.",
       "csv line 3: carrier ID of 18 characters, \"Carrier ID length\" needs 16"},
  };
  for (const Case& c : cases) {
    view.messages.clear();
    delimiter = c.delimiter;
    setInUse.set.carrierIdLength = "3";
    UseCsv(c.content, c.complete);
    const CycleOutcome outcome = cycle.ProgramOneTag();
    EXPECT_FALSE(outcome.programmed) << c.name;
    EXPECT_EQ(outcome.reason, c.reason) << c.name;
    ASSERT_EQ(view.messages.size(), 1u) << c.name;
    EXPECT_EQ(MessageHeads()[0], c.firstLine) << c.name;
    EXPECT_NE(view.messages[0].text.find("\r\n" + c.detail), std::string::npos)
        << c.name << ": " << view.messages[0].text;
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning) << c.name;
  }
}

TEST_F(CsvSourceTest, CompleteRowMarksItsOwnLineNotTheHeader) {
  // The Part's text search would find "Carrier ID;" in the header first.
  std::string line = "A;0;2;ID;0";
  for (int page = 3; page <= 17; ++page) line += ";;0";
  line += ";";
  UseCsv(CompleteHeader() + line + "\r\n", true);
  ASSERT_EQ(cycle.completeSource().Prepare(), PrepareResult::Ready);
  ASSERT_TRUE(cycle.completeSource().Advance().ok());
  EXPECT_EQ(Csv(), CompleteHeader() + line + "X\r\n");
}

}  // namespace
}  // namespace torvane::test
