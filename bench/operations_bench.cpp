// The manual write of all 17 pages followed by the lock of all 17 pages, run
// through a real serial link against the reader simulator on its
// pseudo-terminal: once with bytes crossing at once, once paced like a
// 115200 baud line. Prints the time per write+lock, the bytes on the line in
// both directions, and how the time compares with the line time of those bytes.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "config/set_in_use.h"
#include "link/serial_link.h"
#include "link/terminal_state.h"
#include "production/manual_log_state.h"
#include "reader_simulator.h"
#include "support/fake_station_view.h"
#include "transponder/manual_operations.h"
#include "transponder/page_state.h"
#include "transponder/reader_state.h"

namespace {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr std::uint32_t kBaud = 115200;
constexpr int kBitsPerByte = 10;
constexpr int kTimingValue = 10;

struct Figures {
  std::vector<double> cycleMillis;
  std::size_t bytesPerCycle = 0;
  int failedCycles = 0;
};

// Bytes of one write+lock on the line: every command with its CR, and every
// answer with its CR ("ACK" to each page command, the timing value to "TOR").
std::size_t LineBytes(const std::vector<std::string>& commands) {
  const std::size_t timingAnswer = std::to_string(kTimingValue).size() + 1;
  const std::size_t ackAnswer = 4;
  std::size_t bytes = 0;
  for (const std::string& command : commands) {
    bytes += command.size() + 1 + (command == "TOR" ? timingAnswer : ackAnswer);
  }
  return bytes;
}

bool RunCycles(std::uint32_t paceBaud, int cycles, Figures& figures) {
  torvane::sim::SimOptions options;
  options.timingValue = kTimingValue;
  options.paceBaud = paceBaud;
  options.swapAfterLock = true;  // the next write's "TOR" brings a blank transponder
  auto started = torvane::sim::ReaderSimulator::Start(options);
  if (!started.ok()) {
    std::fprintf(stderr, "simulator: %s\n", started.error.c_str());
    return false;
  }
  std::unique_ptr<torvane::sim::ReaderSimulator> simulator = std::move(started.value);

  torvane::SerialLink link;
  if (!link.OpenComPort(simulator->devicePath(), kBaud, 8, 0, 0, 0)) {
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
    const int b = i + 1;
    char text[32];
    std::snprintf(text, sizeof text, "%02X %02X %02X %02X %02X %02X %02X %02X", b, b, b, b, b, b, b,
                  b);
    pages.pageText[i] = text;
  }
  torvane::ManualOperations operations(link, view, pages, reader, terminal, setInUse, manualLog);

  for (int cycle = 0; cycle < cycles; ++cycle) {
    const std::size_t before = simulator->ReceivedCommands().size();
    const auto start = Clock::now();
    operations.OnWritePages();
    int errors = reader.errorCount;
    operations.OnLockPages();
    errors += reader.errorCount;
    figures.cycleMillis.push_back(Millis(Clock::now() - start).count());
    if (errors != 0) ++figures.failedCycles;
    const std::vector<std::string> all = simulator->ReceivedCommands();
    figures.bytesPerCycle =
        LineBytes({all.begin() + static_cast<std::ptrdiff_t>(before), all.end()});
  }
  link.CloseComPort();
  return true;
}

void Print(const char* title, const Figures& figures, std::uint32_t baud) {
  std::vector<double> sorted = figures.cycleMillis;
  std::sort(sorted.begin(), sorted.end());
  const double mean = std::accumulate(sorted.begin(), sorted.end(), 0.0) / sorted.size();
  const double lineMillis =
      1000.0 * static_cast<double>(figures.bytesPerCycle * kBitsPerByte) / baud;
  std::printf("%s: %zu cycles, %d failed\n", title, sorted.size(), figures.failedCycles);
  std::printf("  write+lock: mean %.2f ms, median %.2f ms, min %.2f ms, max %.2f ms\n", mean,
              sorted[sorted.size() / 2], sorted.front(), sorted.back());
  std::printf("  bytes on the line per write+lock (both directions): %zu\n", figures.bytesPerCycle);
  std::printf("  line time of those bytes at %u baud: %.2f ms; mean / line time: %.3f\n", baud,
              lineMillis, mean / lineMillis);
}

}  // namespace

int main() {
  Figures unpaced;
  Figures paced;
  if (!RunCycles(0, 200, unpaced) || !RunCycles(kBaud, 40, paced)) return 1;
  Print("unpaced (zero latency)", unpaced, kBaud);
  Print("paced at 115200 baud", paced, kBaud);
  return unpaced.failedCycles + paced.failedCycles == 0 ? 0 : 1;
}
