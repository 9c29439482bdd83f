// A station killed at any moment of a production cycle never gives the carrier
// ID it was writing to a second transponder, and every transponder the ledger
// has as programmed has one record.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/set_file.h"
#include "ledger/ledger_settings.h"
#include "ledger/sqlite_ledger.h"
#include "platform/hex_text.h"
#include "production/record_paths.h"
#include "reader_simulator.h"
#include "support/counter_set.h"
#include "support/scratch_directory.h"
#include "transponder/page_codec.h"

namespace torvane::test {
namespace {

constexpr int kCommandsPerCycle = 6;  // TOR, WD 1, WD 2, TOR, LD 1, LD 2
constexpr auto kDeadline = std::chrono::seconds(60);

class CrashTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    ASSERT_TRUE(directory.valid());
    sim::SimOptions options;
    options.timingValue = 4;
    options.swapAfterLock = true;  // every cycle finds a fresh transponder
    auto started = sim::ReaderSimulator::Start(options);
    ASSERT_TRUE(started.ok()) << started.error;
    simulator = std::move(started.value);

    ConfigurationSet set = test::SixteenCharacterIdSet();
    set.quantity = "1000";
    set.counterPage = "None";
    if (GetParam()) {
      set.sourceCsv = true;
      set.sourceFile = directory.File("ids.csv");
      std::string csv = "Carrier ID;done\r\n";
      for (int i = 1; i <= 200; ++i)
        csv +=
            "LOT-" + std::string(12 - std::to_string(i).size(), '0') + std::to_string(i) + ";\r\n";
      directory.Write("ids.csv", csv);
    } else {
      set.sourceDecimalCounter = true;
    }
    ASSERT_TRUE(SaveSetFile(directory.File("Lot.ini"), set).ok());
  }

  pid_t StartStation(int cycles, long killAtFlush = 0) const {
    std::vector<std::string> arguments = {CRASH_STATION_PROGRAM, directory.path(),
                                          simulator->devicePath(), "Lot", std::to_string(cycles)};
    if (killAtFlush > 0) arguments.push_back(std::to_string(killAtFlush));
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
    return pid;
  }
  static int WaitForExit(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // The 16 bytes of pages 1 and 2 of every transponder that holds any.
  std::map<std::string, std::vector<std::string>> TranspondersById() const {
    std::map<std::string, std::vector<std::string>> holders;
    for (const sim::Transponder& t : simulator->Programmed()) {
      std::string id(t.pages[0].begin(), t.pages[0].end());
      id.append(t.pages[1].begin(), t.pages[1].end());
      if (id != std::string(16, '\0')) holders[id].push_back(t.uid);
    }
    return holders;
  }

  // Every ID on a transponder has its row; a programmed one is on exactly one,
  // and has one record once a start has followed the last stop.
  void ExpectLedgerAndTranspondersAgree(bool started = true) const {
    const auto holders = TranspondersById();
    for (const auto& [id, uids] : holders) EXPECT_EQ(uids.size(), 1u) << id;
    auto ledger = SqliteLedger::Open(directory.File(kDefaultLedgerFile));
    ASSERT_TRUE(ledger.ok()) << ledger.error;
    for (const auto& [id, uids] : holders) {
      const auto row = ledger.value->LookUp(id);
      ASSERT_TRUE(row.ok()) << row.error;
      EXPECT_TRUE(row.value.has_value()) << id << " is on a transponder but not in the ledger";
    }
    const std::string records = directory.Read(std::string(kDefaultProductionRecordFile));
    for (const LedgerRow& row : ledger.value->List({}).value) {
      if (row.state != LedgerState::Programmed) continue;
      const auto found = holders.find(row.carrierId);
      EXPECT_TRUE(found != holders.end()) << row.carrierId << " programmed but on no transponder";
      if (started) {
        EXPECT_EQ(RecordCount(records, row.carrierId), 1u) << row.carrierId;
      }
    }
  }

  // Records of the carrier ID: page 2's ASCII cell tells IDs apart here.
  static std::size_t RecordCount(const std::string& records, const std::string& carrierId) {
    const std::string cell =
        ">" + HexToAscii(SpacedPairs(CharsToHex(carrierId.substr(8, 8)))) + "</Data>";
    std::size_t count = 0;
    for (auto at = records.find(cell); at != std::string::npos; at = records.find(cell, at + 1)) {
      ++count;
    }
    return count;
  }

  ScratchDirectory directory;
  std::unique_ptr<sim::ReaderSimulator> simulator;
};

TEST_P(CrashTest, KilledAtEveryStepOfACycleTheStationNeverWritesAnIdTwice) {
  // Killed as the reader takes each command of a cycle, answers included, and
  // the moments in between: the file work after the last lock and before the
  // first write falls between two commands.
  for (int step = 1; step <= 2 * kCommandsPerCycle; ++step) {
    const std::size_t before = simulator->ReceivedCommands().size();
    const pid_t station = StartStation(1000);
    ASSERT_GT(station, 0);
    const bool reached = simulator->WaitForCommands(
        before + static_cast<std::size_t>(step),
        std::chrono::duration_cast<std::chrono::milliseconds>(kDeadline));
    ::kill(station, SIGKILL);
    WaitForExit(station);
    ASSERT_TRUE(reached) << "step " << step;
  }
  const pid_t last = StartStation(3);
  ASSERT_EQ(WaitForExit(last), 0);

  ExpectLedgerAndTranspondersAgree();
  // The three cycles of the last start all programmed a transponder of their own.
  std::size_t locked = 0;
  for (const sim::Transponder& t : simulator->Programmed()) locked += t.locked[0] ? 1 : 0;
  EXPECT_GE(locked, 3u);
}

TEST_P(CrashTest, KilledAtEveryDiskFlushTheLedgerAndTheTranspondersAgree) {
  // The reservation's commit, the carrier ID in flight, the programmed mark,
  // the record, the source and the set file: each flush of two cycles in turn,
  // counted from the start of the station, which settles what the last one left.
  constexpr long kFlushes = 24;
  for (long flush = 1; flush <= kFlushes; ++flush) {
    const pid_t station = StartStation(1000, flush);
    ASSERT_GT(station, 0);
    int status = 0;
    ::waitpid(station, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "flush " << flush << " was never made";
    ExpectLedgerAndTranspondersAgree(false);
  }
  const pid_t last = StartStation(3);
  ASSERT_EQ(WaitForExit(last), 0);
  ExpectLedgerAndTranspondersAgree();
}

INSTANTIATE_TEST_SUITE_P(Sources, CrashTest, ::testing::Values(false, true), [](const auto& info) {
  return info.param ? "CsvFile" : "DecimalCounter";
});

}  // namespace
}  // namespace torvane::test
