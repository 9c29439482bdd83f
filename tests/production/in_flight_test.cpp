#include <gtest/gtest.h>

#include "production/in_flight_file.h"
#include "production/production_fixture.h"
#include "view/control_ids.h"

namespace torvane::test {
namespace {

class InFlightTest : public ProductionTest {
 protected:
  InFlightFile File() const { return InFlightFile(workingDirectory); }
  InFlightEntry CsvEntry(std::size_t line, const std::string& carrierId) const {
    InFlightEntry entry;
    entry.source = SourceKind::CsvFile;
    entry.setName = kSetName;
    entry.carrierId = carrierId;
    entry.csvFile = directory.File("ids.csv");
    entry.delimiter = ";";
    entry.lineIndex = line;
    return entry;
  }
};

TEST_F(InFlightTest, EntryReadsBackExactlyAsWritten) {
  InFlightEntry entry = CsvEntry(123456, " A 1 ");
  entry.source = SourceKind::CompleteCsvFile;
  entry.delimiter = " ; ";
  entry.setName = "job = 2";
  entry.record.file = directory.File("lot = 1.xml");
  entry.record.fileSize = 123456789;
  entry.record.headerDue = true;
  entry.record.stamp = "09/12/26;00:01:02";
  entry.record.pages[0] = {"41 0D 0A 00 20 3D 7E FF", "A CR LF NUL   = ~ \xFF", true};
  entry.record.pages[16] = {"30 30 30 30 30 30 34 32", "0 0 0 0 0 0 4 2", false};
  entry.unsavedLines = {{7, "A = 7"}, {123455, " \xFF;\x01"}};
  ASSERT_TRUE(File().Write(entry).ok());
  const auto read = File().Read();
  ASSERT_TRUE(read.ok()) << read.error;
  EXPECT_EQ(read.value, entry);

  ASSERT_TRUE(File().Clear().ok());
  EXPECT_EQ(File().Read().value, std::nullopt);
  EXPECT_TRUE(File().Clear().ok());

  entry.carrierId = "A\r\nB";
  EXPECT_FALSE(File().Write(entry).ok());
  directory.Write(InFlightFile::kFileName, "source=tape\r\n");
  EXPECT_FALSE(File().Read().ok());
}

TEST_F(InFlightTest, CounterIdInFlightIsSkippedInTheFileAndInMemory) {
  struct Case {
    std::string stored;
    std::string inMemory;
    std::string inFlight;
    std::string storedAfter;
    std::string inMemoryAfter;
    bool moved;
    std::string counterInMemory = "00000007";
  };
  const Case cases[] = {
      {"41", "41", "00000041", "42", "42", true},   // stopped before the counters were saved
      {"42", "42", "00000041", "42", "42", false},  // stopped after: nothing to tell
      // The save had failed: the page counter goes on from memory, never repeats.
      {"41", "42", "00000041", "42", "42", true, "00000008"},
      {"42", "43", "00000041", "43", "43", false, "00000008"},
  };
  for (const Case& c : cases) {
    WriteSetFile(c.stored, "00000007");
    setInUse.set.carrierId = c.inMemory;
    setInUse.set.counterValue = c.counterInMemory;
    production.nextCarrierId = c.inMemory;
    InFlightEntry entry;
    entry.setName = kSetName;
    entry.carrierId = c.inFlight;
    ASSERT_TRUE(cycle.settlement().Record(entry).ok());
    const auto settled = cycle.settlement().Settle();
    ASSERT_TRUE(settled.ok()) << settled.error;
    EXPECT_EQ(settled.value, c.moved ? std::optional(entry) : std::nullopt);
    EXPECT_NE(SetFile().find("Carrier ID=" + c.storedAfter + "\r\n"), std::string::npos)
        << SetFile();
    EXPECT_NE(SetFile().find("Counter Value=" + c.counterInMemory), std::string::npos);
    EXPECT_EQ(setInUse.set.carrierId, c.inMemoryAfter);
    EXPECT_EQ(production.nextCarrierId, c.inMemoryAfter);
  }
}

TEST_F(InFlightTest, UnsettledMessageSaysWhatToDoForItsSource) {
  InFlightEntry counter;
  counter.setName = kSetName;
  counter.carrierId = "00000041";
  struct Case {
    std::optional<InFlightEntry> entry;
    std::string step;
  };
  const Case cases[] = {
      {counter, "set its \"Carrier ID\" past 00000041 by hand"},
      {CsvEntry(4, "A4"), "Mark line 5 of " + directory.File("ids.csv") + " done by hand"},
      {std::nullopt, "Mark it done by hand"},
  };
  for (const Case& c : cases) {
    const std::string message = InFlightSettlement::UnsettledMessage("disk full", c.entry);
    EXPECT_NE(message.find(c.step + ", then remove the file Torvane.inflight"), std::string::npos)
        << message;
  }
}

// With the lines of earlier cycles whose marks the file did not hold yet.
TEST_F(InFlightTest, CsvLineInFlightIsMarkedDoneOnce) {
  UseCsv("Carrier ID;done\r\nA1;\r\nA2;X\r\nA3;\r\nA4;\r\n");
  InFlightEntry entry = CsvEntry(3, "A3");
  entry.unsavedLines = {{1, "A1"}, {2, "A2"}};
  ASSERT_TRUE(cycle.settlement().Record(entry).ok());
  for (const bool moved : {true, false}) {
    const auto settled = cycle.settlement().Settle();
    ASSERT_TRUE(settled.ok()) << settled.error;
    EXPECT_EQ(settled.value.has_value(), moved);
    EXPECT_EQ(Csv(), "Carrier ID;done\r\nA1;X\r\nA2;X\r\nA3;X\r\nA4;\r\n");
  }
}

TEST_F(InFlightTest, CsvLineThatChangedKeepsTheEntryAndBlocksTheCycle) {
  setInUse.set.carrierIdLength = "2";
  UseCsv("Carrier ID;done\r\nB1;\r\nA2;\r\n");
  ASSERT_TRUE(cycle.settlement().Record(CsvEntry(1, "A1")).ok());
  EXPECT_FALSE(cycle.settlement().Settle().ok());
  EXPECT_TRUE(directory.Exists(InFlightFile::kFileName));
  EXPECT_FALSE(cycle.ProgramOneTag().programmed);
  EXPECT_EQ(Csv(), "Carrier ID;done\r\nB1;\r\nA2;\r\n");
  EXPECT_EQ(OnAntenna().pages[0], sim::Page{});
}

TEST_F(InFlightTest, CycleSettlesAnEarlierIdBeforeItChoosesItsOwn) {
  setInUse.set.carrierIdLength = "2";
  UseCsv("Carrier ID;done\r\nA1;\r\nA2;\r\n");
  ASSERT_TRUE(cycle.settlement().Record(CsvEntry(1, "A1")).ok());
  ASSERT_TRUE(cycle.ProgramOneTag().programmed);
  EXPECT_EQ(PageChars(1).substr(0, 2), "A2");
  EXPECT_EQ(Csv(), "Carrier ID;done\r\nA1;X\r\nA2;X\r\n");
}

TEST_F(InFlightTest, IdIsOnDiskWhileThePagesAreWritten) {
  UseDecimalCounter("77", "8", "100");
  std::optional<InFlightEntry> duringWrite;
  view.onColour = [&](int field, std::uint32_t background) {
    if (field == ids::kPageField[0] && background == colour::kGreen) {
      duringWrite = File().Read().value;
    }
  };
  ASSERT_TRUE(cycle.ProgramOneTag().programmed);
  ASSERT_TRUE(duringWrite);
  EXPECT_EQ(duringWrite->carrierId, "00000077");
  EXPECT_EQ(duringWrite->setName, kSetName);
  // After the cycle it is settled: a start now has nothing to report.
  EXPECT_EQ(cycle.settlement().Settle().value, std::nullopt);
  cycle.OnStationEnd();
  EXPECT_FALSE(directory.Exists(InFlightFile::kFileName));
}

}  // namespace
}  // namespace torvane::test
