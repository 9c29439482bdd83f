// Two stations, each a process with its own reader and working folder, take
// carrier IDs from one range through one ledger on the PostgreSQL server.
#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "config/set_file.h"
#include "ledger/postgres_ledger.h"
#include "reader_simulator.h"
#include "station_process.h"
#include "support/counter_set.h"
#include "support/postgres_test.h"
#include "support/scratch_directory.h"

namespace torvane::test {
namespace {

using Clock = std::chrono::steady_clock;

// A sanitizer build runs every process several times slower: there the runs
// are shorter, enough for what the sanitizers look for.
#if defined(__SANITIZE_THREAD__) || defined(__SANITIZE_ADDRESS__)
constexpr int kTransponders = 100;           // per station
constexpr int kTranspondersWithOutage = 60;  // per station
#else
constexpr int kTransponders = 500;            // per station
constexpr int kTranspondersWithOutage = 150;  // per station
#endif
constexpr int kCsvLines = 1200;
constexpr auto kRunDeadline = std::chrono::minutes(8);
constexpr auto kEventDeadline = std::chrono::seconds(60);

std::string CsvId(int line) {
  const std::string number = std::to_string(line);
  return "LOT-" + std::string(12 - number.size(), '0') + number;
}

std::string CounterId(long value) {
  const std::string number = std::to_string(value);
  return std::string(16 - number.size(), '0') + number;
}

// What the operator of a station does: a fresh transponder on the antenna
// after each one programmed, and "Cont On" again once told to after a stop.
// After `pauseAfter` transponders the antenna stays empty until resumed, so
// that the test knows the station is between cycles, whatever its speed.
struct Station {
  ScratchDirectory directory;
  std::unique_ptr<sim::ReaderSimulator> simulator;
  std::unique_ptr<StationProcess> process;
  std::thread attendant;
  std::mutex guard;
  std::condition_variable changed;
  int programmed = 0;
  int pauseAfter = 0;  // 0: never
  bool resumed = false;
  bool stopped = false;
  bool goAhead = false;
  std::vector<std::string> seen;  // the station's lines so far

  ~Station() {
    if (!attendant.joinable()) return;
    process->Kill();
    {
      std::lock_guard lock(guard);
      goAhead = true;
      resumed = true;
      changed.notify_all();
    }
    attendant.join();
  }

  void Attend() {
    const auto deadline = Clock::now() + kRunDeadline;
    while (const std::optional<std::string> line = process->ReadLine(deadline)) {
      std::unique_lock lock(guard);
      seen.push_back(*line);
      if (line->starts_with("programmed")) {
        simulator->RemoveTransponder();
        ++programmed;
        changed.notify_all();
        if (programmed == pauseAfter)
          changed.wait_until(lock, deadline, [this] { return resumed; });
        simulator->PlaceBlankTransponder();
      }
      stopped = stopped || *line == "stopped";
      changed.notify_all();
      if (*line != "stopped") continue;
      changed.wait_until(lock, deadline, [this] { return goAhead; });
      goAhead = false;
      process->Send("go");
    }
  }
  void Let(bool Station::*flag) {
    std::lock_guard lock(guard);
    this->*flag = true;
    changed.notify_all();
  }
  bool WaitUntil(const std::function<bool()>& condition) {
    std::unique_lock lock(guard);
    return changed.wait_until(lock, Clock::now() + kEventDeadline, condition);
  }
};

class SharedLedgerTest : public PostgresTest, public ::testing::WithParamInterface<bool> {
 protected:
  bool csv() const { return GetParam(); }

  void SetUp() override {
    PostgresTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    std::string csvText = "Carrier ID;done\r\n";
    for (int line = 1; line <= kCsvLines; ++line) csvText += CsvId(line) + ";\r\n";
    std::uint32_t firstUid = 0xE0040001;
    for (Station& station : stations) {
      ASSERT_TRUE(station.directory.valid());
      sim::SimOptions options;
      options.timingValue = 4;
      options.firstUid = firstUid;
      firstUid += 0x10000;
      auto started = sim::ReaderSimulator::Start(options);
      ASSERT_TRUE(started.ok()) << started.error;
      station.simulator = std::move(started.value);

      ConfigurationSet set = SixteenCharacterIdSet();
      set.quantity = "99999";
      set.counterPage = "None";
      if (csv()) {
        set.sourceCsv = true;
        set.sourceFile = station.directory.File("ids.csv");
        station.directory.Write("ids.csv", csvText);  // the same file, a copy each
      } else {
        set.sourceDecimalCounter = true;
      }
      ASSERT_TRUE(SaveSetFile(station.directory.File("Lot.ini"), set).ok());
    }
  }

  std::unique_ptr<StationProcess> StartProcess(const std::string& folder, const Station& reader,
                                               const std::string& name, int transponders) const {
    return std::make_unique<StationProcess>(std::vector<std::string>{
        SHARED_LEDGER_STATION_PROGRAM, folder, reader.simulator->devicePath(), "Lot", database,
        name, std::to_string(transponders)});
  }

  void StartStations(int transponders, std::size_t count = 2) {
    const char* names[] = {"bay-1", "bay-2"};
    for (std::size_t i = 0; i < count; ++i) {
      Station& station = stations[i];
      station.process = StartProcess(station.directory.path(), station, names[i], transponders);
      ASSERT_TRUE(station.process->started());
      station.attendant = std::thread(&Station::Attend, &station);
    }
  }

  // How many transponders of both stations hold each carrier ID.
  std::map<std::string, int> Holders() const {
    std::map<std::string, int> holders;
    for (const Station& station : stations) {
      for (const sim::Transponder& t : station.simulator->Programmed()) {
        std::string id(t.pages[0].begin(), t.pages[0].end());
        id.append(t.pages[1].begin(), t.pages[1].end());
        if (id != std::string(16, '\0')) ++holders[id];
      }
    }
    return holders;
  }

  void WaitForBothToFinish() {
    const auto deadline = Clock::now() + kRunDeadline;
    for (Station& station : stations) {
      station.attendant.join();
      const int exitCode = station.process->Wait(deadline);
      std::string tail;
      for (const std::string& line : station.seen)
        if (!line.starts_with("programmed")) tail += line + "\n";
      EXPECT_EQ(exitCode, 0) << tail;
    }
  }

  // No carrier ID on two transponders, none lost, and every ID in the ledger
  // on exactly one transponder or spent.
  void ExpectOneRangeWithoutDoublesOrGaps(int transponders) {
    std::map<std::string, int> holders = Holders();
    int holding = 0;
    for (const auto& [id, count] : holders) holding += count;
    EXPECT_EQ(holding, 2 * transponders);
    for (const auto& [id, count] : holders) EXPECT_EQ(count, 1) << id << " on two transponders";

    auto ledger = PostgresLedger::Open(database);
    ASSERT_TRUE(ledger.ok()) << ledger.error;
    const auto rows = ledger.value->List({});
    ASSERT_TRUE(rows.ok()) << rows.error;
    std::set<std::string> inLedger;
    for (const LedgerRow& row : rows.value) {
      inLedger.insert(row.carrierId);
      if (row.state == LedgerState::Programmed)
        EXPECT_EQ(holders[row.carrierId], 1) << row.carrierId << " programmed, not on one";
      else
        EXPECT_EQ(row.state, LedgerState::Spent) << row.carrierId;
    }
    for (const auto& [id, count] : holders)
      EXPECT_TRUE(inLedger.contains(id)) << id << " written without a reservation";
    // The range is used from its start without a hole.
    for (std::size_t n = 1; n <= inLedger.size(); ++n) {
      const std::string id = csv() ? CsvId(static_cast<int>(n)) : CounterId(static_cast<long>(n));
      EXPECT_TRUE(inLedger.contains(id)) << id << " skipped";
    }
  }

  std::array<Station, 2> stations;
};

TEST_P(SharedLedgerTest, TwoStationsFromOneStartShareTheRangeWithoutAnIdTwice) {
  StartStations(kTransponders);
  WaitForBothToFinish();
  ExpectOneRangeWithoutDoublesOrGaps(kTransponders);
  // Taking turns on one range is said on the status line, never in a message box.
  std::size_t passedOver = 0;
  for (const Station& station : stations) {
    for (const std::string& line : station.seen) {
      EXPECT_FALSE(line.starts_with("message:")) << line;
      passedOver += line.starts_with("status: Passed over") ? 1 : 0;
    }
  }
  EXPECT_GT(passedOver, 0u);
}

TEST_P(SharedLedgerTest, AServerStoppedDuringTheRunStopsProductionUntilItIsBack) {
  constexpr int kBeforeTheStop = 20;
  for (Station& station : stations) station.pauseAfter = kBeforeTheStop;
  StartStations(kTranspondersWithOutage);
  for (Station& station : stations)
    ASSERT_TRUE(station.WaitUntil([&station] { return station.programmed == kBeforeTheStop; }));
  ASSERT_TRUE(server->Stop().ok());
  for (Station& station : stations) station.Let(&Station::resumed);
  for (Station& station : stations) {
    ASSERT_TRUE(station.WaitUntil([&station] { return station.stopped; }));
    std::lock_guard lock(station.guard);
    bool databaseMessage = false;
    for (const std::string& line : station.seen)
      databaseMessage = databaseMessage || line.find("ledger database") != std::string::npos;
    EXPECT_TRUE(databaseMessage) << station.seen.back();
  }
  const Status started = server->Start();
  ASSERT_TRUE(started.ok()) << started.error;
  for (Station& station : stations) station.Let(&Station::goAhead);
  WaitForBothToFinish();
  ExpectOneRangeWithoutDoublesOrGaps(kTranspondersWithOutage);
}

// A second station process in the first one's working folder, or under its
// name on the same ledger, is refused before it writes anything.
TEST_P(SharedLedgerTest, ASecondStationInTheSameFolderOrUnderTheSameNameIsRefused) {
  constexpr int kFew = 10;
  StartStations(kFew, 1);
  Station& first = stations[0];
  ASSERT_TRUE(first.WaitUntil([&first] { return first.programmed >= 1; }));
  struct Case {
    std::string folder;
    std::string name;
    std::string expectedText;
  };
  const std::vector<Case> cases = {
      {first.directory.path(), "bay-2", "Another Torvane station is running in the folder"},
      {stations[1].directory.path(), "bay-1", "another station named \"bay-1\""},
  };
  for (const Case& c : cases) {
    const auto deadline = Clock::now() + kEventDeadline;
    const auto second = StartProcess(c.folder, stations[1], c.name, kFew);
    const std::optional<std::string> line = second->ReadLine(deadline);
    ASSERT_TRUE(line.has_value()) << c.name;
    EXPECT_TRUE(line->starts_with("refused: ")) << *line;
    EXPECT_NE(line->find(c.expectedText), std::string::npos) << *line;
    EXPECT_EQ(second->Wait(deadline), 7) << *line;
  }
  first.attendant.join();
  EXPECT_EQ(first.process->Wait(Clock::now() + kRunDeadline), 0);
  const std::map<std::string, int> holders = Holders();
  EXPECT_EQ(holders.size(), static_cast<std::size_t>(kFew));
  for (const auto& [id, count] : holders) EXPECT_EQ(count, 1) << id << " on two transponders";
}

INSTANTIATE_TEST_SUITE_P(Sources, SharedLedgerTest, ::testing::Values(false, true),
                         [](const auto& info) {
                           return info.param ? "CsvFile" : "DecimalCounter";
                         });

}  // namespace
}  // namespace torvane::test
