// Production cycles against the reader simulator: 17 page writes, the locks of
// pages 1 and 2, the source advance, the counters saved in the set file and the
// record appended. Prints the time per cycle and the station's own share:
//
//   - decimal counter, answers at once: the cycle against a bare write and lock
//     of the same pages;
//   - CSV file of 1,000 to 1,000,000 lines, also with most lines done, and the
//     complete CSV file: read, mark and rewrite included, with the processor
//     time of a cycle and what one atomic replace of a file that size costs
//     alone (`--csv` prints only these);
//   - reader timings of a real transponder (write 293 ms, lock 133 ms, 9600
//     baud): what the station adds to the reader's own time;
//   - the same timings with the pages read back before the locks: none, the
//     carrier-ID pages, all pages (`--read-back` prints only these).

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "config/configuration_applier.h"
#include "config/data_source.h"
#include "config/set_file.h"
#include "platform/atomic_file.h"
#include "production/complete_row.h"
#include "production/production_cycle.h"
#include "reader_simulator.h"
#include "support/counter_set.h"
#include "support/fake_station_view.h"
#include "support/line_record_writer.h"
#include "support/scratch_directory.h"
#include "transponder/reader_command.h"
#include "view/page_geometry.h"

namespace {

using namespace torvane;
using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr int kTimingValue = 10;
constexpr int kBitsPerByte = 10;

struct Reader {
  std::uint32_t baud = 0;  // 0: bytes cross at once
  std::chrono::milliseconds writeTime{0};
  std::chrono::milliseconds lockTime{0};
};

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// A station without a window: the set in use from its file, all 17 pages
// written, pages 1 and 2 locked.
class BenchStation {
 public:
  BenchStation(const test::ScratchDirectory& directory, const std::string& device)
      : workingDirectory_(directory.path()), records_(directory.File("records.txt")) {
    setInUse_.configMode = 1;
    setInUse_.name = "Bench";
    ConfigurationSet& set = setInUse_.set;
    LoadConfigurationSet(workingDirectory_, setInUse_.name, SetLoad::MainWindow, set);
    ConfigurationApplier(view_, setInUse_, pages_, maxText_).ApplyConfiguration();
    maxText_ = "9999999999999999";
    pages_.pageSelected.fill(1);
    link_.OpenComPort(device, 115200, 8, 0, 0, 0);
  }
  ~BenchStation() { link_.CloseComPort(); }

  // Milliseconds per cycle; a failed cycle ends the series.
  std::vector<double> Cycles(int count) {
    std::vector<double> millis;
    for (int i = 0; i < count; ++i) {
      reader_.errorCount = 0;
      const auto start = Clock::now();
      const bool programmed = cycle_.ProgramOneTag().programmed;
      millis.push_back(Millis(Clock::now() - start).count());
      if (!programmed) {
        std::fprintf(stderr, "cycle %d failed: %s\n", i,
                     view_.messages.empty() ? "" : view_.messages.back().text.c_str());
        break;
      }
    }
    return millis;
  }
  void SetReadBack(VerifyScope scope) { production_.programming.verify = scope; }
  // The same pages written and locked by the reader operations alone.
  std::vector<double> BareWriteAndLock(int count) {
    std::vector<double> millis;
    for (int i = 0; i < count; ++i) {
      const auto start = Clock::now();
      manual_.OnWritePages();
      manual_.OnLockPages();
      millis.push_back(Millis(Clock::now() - start).count());
    }
    return millis;
  }

 private:
  std::string workingDirectory_;
  test::FakeStationView view_;
  PageState pages_;
  ReaderState reader_;
  TerminalState terminal_;
  SetInUse setInUse_;
  ManualLogState manualLog_;
  ProductionState production_;
  std::string maxText_;
  const std::string delimiter_ = ";";
  SerialLink link_;
  ManualOperations manual_{link_, view_, pages_, reader_, terminal_, setInUse_, manualLog_};
  ProductionContext context_{view_,       pages_,   reader_,    setInUse_,
                             production_, maxText_, delimiter_, workingDirectory_};
  test::LineRecordWriter records_;
  const LedgerSettings ledgerSettings_;
  StationLedger ledger_{ledgerSettings_, workingDirectory_};
  TransponderReadBack readBack_{link_, reader_, terminal_};
  ProductionCycle cycle_{context_, manual_, records_, ledger_, readBack_};
};

std::unique_ptr<sim::ReaderSimulator> StartReader(const Reader& reader) {
  sim::SimOptions options;
  options.timingValue = kTimingValue;
  options.swapAfterLock = true;
  options.paceBaud = reader.baud;
  options.writeTime = reader.writeTime;
  options.lockTime = reader.lockTime;
  auto started = sim::ReaderSimulator::Start(options);
  if (!started.ok()) std::fprintf(stderr, "simulator: %s\n", started.error.c_str());
  return std::move(started.value);
}

void SaveBenchSet(const test::ScratchDirectory& directory, DataSource source) {
  ConfigurationSet set = test::SixteenCharacterIdSet();
  set.writePages3To17 = true;
  set.counterPage = "3";
  set.counterValue = "00000001";
  SelectSource(set, source);
  set.sourceFile = directory.File("ids.csv");
  SaveSetFile(directory.File("Bench.ini"), set);
}

// Carrier IDs of 16 characters, one per line, the first `done` of them marked:
// about 19 bytes a line with its done column and line end. A complete row adds
// the empty pages 3 to 17 unlocked, about 70 bytes.
std::string CsvText(int lines, int done, bool complete) {
  std::string text;
  if (complete) {
    for (const std::string& name : CompleteRow::HeaderNames()) text += name + ";";
    text.back() = '\r';
    text += '\n';
  } else {
    text = "Carrier ID;done\r\n";
  }
  std::string emptyPages;
  for (int page = kFirstUserPage; page <= kPageCount; ++page) emptyPages += ";;0";
  text.reserve(static_cast<std::size_t>(lines) * (complete ? 72 : 20));
  char id[32];
  for (int i = 1; i <= lines; ++i) {
    std::snprintf(id, sizeof id, "LOT%013d", i);
    if (complete) text += std::string("A;0;16;") + id + ";1" + emptyPages;
    text += std::string(complete ? "" : id) + (i <= done ? ";X\r\n" : ";\r\n");
  }
  return text;
}

// What one flush to the disk costs here: a cycle makes four of them (the
// carrier ID in flight, the set file with its folder, the record).
double DiskFlushMillis() {
  test::ScratchDirectory directory;
  std::vector<double> millis;
  const std::string path = directory.File("flush");
  for (int i = 0; i < 20; ++i) {
    const auto start = Clock::now();
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, "0123456789\n", 11) != 11 || ::fsync(fd) != 0) return -1;
    ::close(fd);
    millis.push_back(Millis(Clock::now() - start).count());
  }
  return Median(millis);
}

void DecimalCounterUnpaced() {
  test::ScratchDirectory directory;
  SaveBenchSet(directory, DataSource::DecimalCounter);
  auto reader = StartReader({});
  BenchStation station(directory, reader->devicePath());
  const double cycle = Median(station.Cycles(200));
  const double bare = Median(station.BareWriteAndLock(200));
  std::printf("decimal counter, answers at once: %.2f ms per cycle (median of 200)\n", cycle);
  std::printf("  bare write of 17 pages + lock of 2: %.2f ms; production's own work %.2f ms\n",
              bare, cycle - bare);
}

struct CsvCase {
  int lines = 0;
  int done = 0;  // lines marked before the first cycle
  bool complete = false;
};

double ProcessorMillis() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// One atomic replace of a file of that size, as a mark makes it.
double ReplaceMillis(const test::ScratchDirectory& directory, const std::string& text) {
  std::vector<double> millis;
  for (int i = 0; i < 5; ++i) {
    const auto start = Clock::now();
    if (!WriteFileAtomically(directory.File("replaced.csv"), text).ok()) return -1;
    millis.push_back(Millis(Clock::now() - start).count());
  }
  return Median(millis);
}

void CsvCycles(const std::vector<CsvCase>& cases) {
  std::printf(
      "CSV sources, answers at once (median of the cycles; processor: the process's time per "
      "cycle after the first; replace: one atomic replace of a file that size alone):\n");
  for (const CsvCase& c : cases) {
    test::ScratchDirectory directory;
    SaveBenchSet(directory, c.complete ? DataSource::CsvComplete : DataSource::Csv);
    const std::string text = CsvText(c.lines, c.done, c.complete);
    directory.Write("ids.csv", text);
    auto reader = StartReader({});
    BenchStation station(directory, reader->devicePath());
    // Enough cycles for several saves of the longest file.
    const int cycles = 100;
    // The first cycle reads the file in any case.
    station.Cycles(1);
    const double processorBefore = ProcessorMillis();
    const std::vector<double> series = station.Cycles(cycles);
    const double processor = (ProcessorMillis() - processorBefore) / cycles;
    const double cycle = Median(series);
    // The mean carries the saves that a long file's marks wait for.
    const double mean = std::accumulate(series.begin(), series.end(), 0.0) /
                        static_cast<double>(std::max<std::size_t>(series.size(), 1));
    const double bare = Median(station.BareWriteAndLock(20));
    std::printf(
        "  %-8s %9d lines, %7d done (%5.1f MB): %7.2f ms per cycle (mean %7.2f), %7.2f ms the "
        "station's own, processor %6.2f ms, replace %6.2f ms\n",
        c.complete ? "complete" : "csv", c.lines, c.done, static_cast<double>(text.size()) / 1e6,
        cycle, mean, cycle - bare, processor, ReplaceMillis(directory, text));
  }
}

std::vector<CsvCase> AllCsvCases() {
  return {{1'000, 0, false},     {10'000, 0, false},          {100'000, 0, false},
          {1'000'000, 0, false}, {1'000'000, 900'000, false}, {1'000, 0, true},
          {100'000, 0, true},    {1'000'000, 0, true}};
}

// The reader's own time of a cycle: its work per page and every byte on the line.
double ReaderMillis(const Reader& reader) {
  std::size_t bytes =
      2 * (ReaderCommand::Calibration().text.size() + std::to_string(kTimingValue).size() + 1);
  const std::string digits(16, '0');
  for (int page = 1; page <= kPageCount; ++page) {
    bytes += ReaderCommand::WritePage(page, digits).text.size() + 4;
  }
  for (int page = 1; page <= 2; ++page) bytes += ReaderCommand::LockPage(page).text.size() + 4;
  const double line = 1000.0 * static_cast<double>(bytes) * kBitsPerByte / reader.baud;
  return kPageCount * static_cast<double>(reader.writeTime.count()) +
         2 * static_cast<double>(reader.lockTime.count()) + line;
}

void RealTransponderTimings() {
  const Reader real{9600, std::chrono::milliseconds(293), std::chrono::milliseconds(133)};
  test::ScratchDirectory directory;
  SaveBenchSet(directory, DataSource::DecimalCounter);
  auto reader = StartReader(real);
  BenchStation station(directory, reader->devicePath());
  // The reader's own time below counts no read-back.
  station.SetReadBack(VerifyScope::Off);
  const double cycle = Median(station.Cycles(3));
  const double own = ReaderMillis(real);
  std::printf("real transponder timings (write 293 ms, lock 133 ms, 9600 baud):\n");
  std::printf("  %.1f ms per cycle, the reader's own %.1f ms: the station adds %.1f ms (%.2f %%)\n",
              cycle, own, cycle - own, 100.0 * (cycle - own) / own);
}

// What the read-back before the locks costs with a real reader: one "RD n" per
// page read back, at the reader's latency and the line's speed.
void ReadBackCost(const Reader& real, const char* name) {
  std::printf("read-back before the locks, %s:\n", name);
  double off = 0;
  for (const VerifyScope scope : {VerifyScope::Off, VerifyScope::CarrierId, VerifyScope::All}) {
    test::ScratchDirectory directory;
    SaveBenchSet(directory, DataSource::DecimalCounter);
    auto reader = StartReader(real);
    BenchStation station(directory, reader->devicePath());
    station.SetReadBack(scope);
    const double cycle = Median(station.Cycles(3));
    if (scope == VerifyScope::Off) off = cycle;
    std::printf("  Verify=%-9s %8.1f ms per cycle (median of 3), %+7.1f ms against off\n",
                VerifyScopeName(scope).c_str(), cycle, cycle - off);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const Reader real{9600, std::chrono::milliseconds(293), std::chrono::milliseconds(133)};
  const Reader fast{115200, std::chrono::milliseconds(20), std::chrono::milliseconds(20)};
  if (argc > 1 && std::string(argv[1]) == "--csv") {
    CsvCycles(AllCsvCases());
    return 0;
  }
  if (argc > 1 && std::string(argv[1]) == "--read-back") {
    ReadBackCost(real, "write 293 ms, lock 133 ms, 9600 baud");
    ReadBackCost(fast, "write 20 ms, lock 20 ms, 115200 baud");
    return 0;
  }
  std::printf("this disk: %.2f ms per append with fsync (median of 20)\n", DiskFlushMillis());
  DecimalCounterUnpaced();
  CsvCycles(AllCsvCases());
  RealTransponderTimings();
  ReadBackCost(real, "write 293 ms, lock 133 ms, 9600 baud");
  return 0;
}
