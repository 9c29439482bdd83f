// The manual write of all 17 pages followed by the lock of all 17 pages, run
// through a real serial link against the reader simulator on its
// pseudo-terminal: once with bytes crossing at once, once paced like a
// 115200 baud line. Prints the time per write+lock, the bytes on the line in
// both directions, and how the time compares with the line time of those bytes.
//
//     operations_bench                        both series, simulators in-process
//     operations_bench --device PATH [CYCLES] one series against a running
//         torvane-reader-sim started with --swap-after-lock (--timing 10)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "config/set_in_use.h"
#include "link/serial_link.h"
#include "link/terminal_state.h"
#include "production/manual_operations.h"
#include "reader_simulator.h"
#include "support/fake_station_view.h"
#include "transponder/page_state.h"
#include "transponder/reader_command.h"
#include "transponder/reader_state.h"
#include "view/manual_log_state.h"

namespace {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr std::uint32_t kBaud = 115200;
constexpr int kBitsPerByte = 10;
constexpr int kTimingValue = 10;
constexpr int kUnpacedCycles = 200;
constexpr int kPacedCycles = 40;

struct Figures {
  std::vector<double> cycleMillis;
  int failedCycles = 0;
};

// Page n holds the byte n eight times.
std::string PageDigits(int page) {
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02X", page);
  std::string text;
  for (int i = 0; i < 8; ++i) text += digits;
  return text;
}

// Bytes of one write+lock on the line: every command with its CR, and every
// answer with its CR ("ACK" to each page command, the timing value to "TOR").
std::size_t LineBytes() {
  const std::size_t timingAnswer = std::to_string(kTimingValue).size() + 1;
  const std::size_t ackAnswer = 4;
  std::size_t bytes = 2 * (torvane::ReaderCommand::Calibration().text.size() + timingAnswer);
  for (int page = 1; page <= torvane::kPageCount; ++page) {
    bytes += torvane::ReaderCommand::WritePage(page, PageDigits(page)).text.size() + ackAnswer;
    bytes += torvane::ReaderCommand::LockPage(page).text.size() + ackAnswer;
  }
  return bytes;
}

bool RunCycles(const std::string& device, int cycles, Figures& figures) {
  torvane::SerialLink link;
  if (!link.OpenComPort(device, kBaud, 8, 0, 0, 0)) {
    std::fprintf(stderr, "port: %s\n", link.lastError().c_str());
    return false;
  }
  torvane::test::FakeStationView view;
  torvane::PageState pages;
  torvane::ReaderState reader;
  torvane::TerminalState terminal;
  torvane::SetInUse setInUse;
  torvane::ManualLogState manualLog;
  pages.pageSelected.fill(1);
  for (int i = 0; i < torvane::kPageCount; ++i) {
    const std::string digits = PageDigits(i + 1);
    for (std::size_t d = 0; d < digits.size(); d += 2) {
      if (d > 0) pages.pageText[i] += ' ';
      pages.pageText[i] += digits.substr(d, 2);
    }
  }
  torvane::ManualOperations operations(link, view, pages, reader, terminal, setInUse, manualLog);

  for (int cycle = 0; cycle < cycles; ++cycle) {
    const auto start = Clock::now();
    operations.OnWritePages();
    int errors = reader.errorCount;
    operations.OnLockPages();
    errors += reader.errorCount;
    figures.cycleMillis.push_back(Millis(Clock::now() - start).count());
    if (errors != 0) ++figures.failedCycles;
  }
  link.CloseComPort();
  return true;
}

bool RunOnSimulator(std::uint32_t paceBaud, int cycles, Figures& figures) {
  torvane::sim::SimOptions options;
  options.timingValue = kTimingValue;
  options.paceBaud = paceBaud;
  options.swapAfterLock = true;  // the next write's "TOR" brings a blank transponder
  auto started = torvane::sim::ReaderSimulator::Start(options);
  if (!started.ok()) {
    std::fprintf(stderr, "simulator: %s\n", started.error.c_str());
    return false;
  }
  return RunCycles(started.value->devicePath(), cycles, figures);
}

void Print(const char* title, const Figures& figures) {
  std::vector<double> sorted = figures.cycleMillis;
  std::sort(sorted.begin(), sorted.end());
  const double mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / sorted.size();
  const std::size_t bytes = LineBytes();
  const double lineMillis = 1000.0 * static_cast<double>(bytes * kBitsPerByte) / kBaud;
  std::printf("%s: %zu cycles, %d failed\n", title, sorted.size(), figures.failedCycles);
  std::printf("  write+lock: mean %.3f ms, median %.3f ms, min %.3f ms, max %.3f ms\n", mean,
              sorted[sorted.size() / 2], sorted.front(), sorted.back());
  std::printf("  bytes on the line per write+lock (both directions): %zu\n", bytes);
  std::printf("  line time of those bytes at %u baud: %.2f ms; mean / line time: %.3f\n", kBaud,
              lineMillis, mean / lineMillis);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (!args.empty()) {
    if (args[0] != "--device" || args.size() < 2 || args.size() > 3) {
      std::fprintf(stderr, "usage: operations_bench [--device PATH [CYCLES]]\n");
      return 2;
    }
    const int cycles = args.size() == 3 ? std::atoi(argv[3]) : kUnpacedCycles;
    Figures figures;
    if (cycles <= 0 || !RunCycles(std::string(args[1]), cycles, figures)) return 1;
    Print(argv[2], figures);
    return figures.failedCycles == 0 ? 0 : 1;
  }
  Figures unpaced;
  Figures paced;
  if (!RunOnSimulator(0, kUnpacedCycles, unpaced) || !RunOnSimulator(kBaud, kPacedCycles, paced))
    return 1;
  Print("unpaced (zero latency)", unpaced);
  Print("paced at 115200 baud", paced);
  return unpaced.failedCycles + paced.failedCycles == 0 ? 0 : 1;
}
