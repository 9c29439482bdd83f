#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>

#include "config/set_file.h"
#include "production/in_flight_file.h"
#include "production/production_fixture.h"
#include "production/production_record_file.h"
#include "production/record_paths.h"
#include "production/waiting_records.h"

namespace torvane::test {
namespace {

// Files of other kinds under the names production is given.
struct OtherKind {
  const char* kind;
  std::string path;
};

class OutsideFilesTest : public ProductionTest {
 protected:
  std::vector<OtherKind> OtherKinds() const {
    const std::string fifo = directory.File("fifo");
    EXPECT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(directory.File("folder"));
    return {{"a FIFO", fifo}, {"a folder", directory.File("folder")}, {"a device", "/dev/null"}};
  }

  // Runs `step`, which must return; should it hang in the open of a FIFO, the
  // FIFO is opened from the other side so that the test fails instead of hanging.
  template <class Step>
  auto Returns(const std::string& fifo, Step step) {
    auto running = std::async(std::launch::async, step);
    const bool returned = running.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    if (!returned) close(open(fifo.c_str(), O_WRONLY | O_NONBLOCK));
    EXPECT_TRUE(returned);
    return running.get();
  }
};

TEST_F(OutsideFilesTest, ACsvSourceThatIsNoRegularFileIsRefusedAtOnce) {
  const std::vector<OtherKind> kinds = OtherKinds();
  for (const OtherKind& other : kinds) {
    view.messages.clear();
    UseCsv("");
    setInUse.set.sourceFile = other.path;
    NewCommands();
    const CycleOutcome outcome = Returns(kinds[0].path, [&] { return cycle.ProgramOneTag(); });
    EXPECT_FALSE(outcome.programmed) << other.kind;
    EXPECT_EQ(NewCommands(), std::vector<std::string>{}) << other.kind;
    ASSERT_FALSE(view.messages.empty()) << other.kind;
    EXPECT_NE(view.messages[0].text.find(other.path), std::string::npos) << view.messages[0].text;
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Error) << other.kind;
  }
}

TEST_F(OutsideFilesTest, ARecordFileThatIsNoRegularFileIsRefusedAndTheRecordWaits) {
  const std::vector<OtherKind> kinds = OtherKinds();
  for (const OtherKind& other : kinds) {
    ScratchDirectory work;
    ProductionRecordFile recordFile(work.path());
    ProductionRecord record;
    record.set.logFile = other.path;
    bool headerPending = true;
    const Status appended = Returns(
        kinds[0].path, [&] { return recordFile.AppendProductionRecord(record, headerPending); });
    EXPECT_FALSE(appended.ok()) << other.kind;
    EXPECT_NE(appended.error.find(other.path + ": "), std::string::npos) << appended.error;
    EXPECT_EQ(recordFile.waitingCount(), 1u) << other.kind;
    EXPECT_TRUE(recordFile.RecordsOnlyInMemory().empty()) << other.kind;
  }
  struct stat info {};
  ASSERT_EQ(stat(kinds[0].path.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_TRUE(std::filesystem::is_empty(kinds[1].path));
}

// The disk fills: neither the record file nor the file of waiting records takes
// the record (both folders are missing here, which fails the same writes).
TEST_F(OutsideFilesTest, ARecordHeldOnlyInMemoryStopsProductionUntilItIsOnDisk) {
  const std::string work = directory.File("work");
  ProductionRecordFile recordFile(work);
  ProductionCycle recordingCycle(context, manual, recordFile, ledger, readBack);
  UseDecimalCounter("1", "8", "100");
  setInUse.set.logFile = directory.File("records/r.xml");

  const CycleOutcome first = recordingCycle.ProgramOneTag();
  EXPECT_TRUE(first.programmed);
  EXPECT_TRUE(first.stopped);
  ASSERT_EQ(recordFile.RecordsOnlyInMemory().size(), 1u);
  EXPECT_NE(recordFile.RecordsOnlyInMemory()[0].find("carrier ID 1"), std::string::npos);

  for (int attempt = 0; attempt < 2; ++attempt) {
    view.messages.clear();
    NewCommands();
    const CycleOutcome refused = recordingCycle.ProgramOneTag();
    EXPECT_FALSE(refused.programmed);
    EXPECT_EQ(NewCommands(), std::vector<std::string>{});
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].text.find("carrier ID 1"), std::string::npos);
    EXPECT_EQ(setInUse.set.carrierId, "2");
  }

  // Room again for the waiting records: production goes on, and the records
  // wait on disk for their file.
  std::filesystem::create_directory(work);
  view.messages.clear();
  simulator->PlaceBlankTransponder();
  EXPECT_TRUE(recordingCycle.ProgramOneTag().programmed);
  EXPECT_TRUE(recordFile.RecordsOnlyInMemory().empty());
  EXPECT_EQ(recordFile.waitingCount(), 2u);
  std::filesystem::create_directory(directory.File("records"));
  simulator->PlaceBlankTransponder();
  EXPECT_TRUE(recordingCycle.ProgramOneTag().programmed);
  EXPECT_EQ(recordFile.waitingCount(), 0u);
}

TEST_F(OutsideFilesTest, TheStationsOwnFilesAsFifosAreRefusedAtOnce) {
  struct Case {
    const char* name;
    std::function<std::string()> read;  // the failure
  };
  const Case cases[] = {
      {InFlightFile::kFileName, [&] { return InFlightFile(workingDirectory).Read().error; }},
      {kWaitingRecordsFile.data(),
       [&] { return WaitingRecords(directory.File(kWaitingRecordsFile)).Load().error; }},
      {"job.ini",
       [&] {
         ConfigurationSet set;
         return LoadConfigurationSet(workingDirectory, "job", SetLoad::MainWindow, set).error;
       }},
  };
  for (const Case& c : cases) {
    const std::string path = directory.File(c.name);
    std::filesystem::remove(path);
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0) << c.name;
    const std::string error = Returns(path, c.read);
    EXPECT_NE(error.find(path + ": a FIFO"), std::string::npos) << error;
  }
}

}  // namespace
}  // namespace torvane::test
