// What the ledger adds to a production cycle on the station's own SQLite
// ledger: the reservation before the first page write, and the reservation
// with the programmed mark after the lock, on ledgers that already hold 1,000,
// 100,000 and 1,000,000 rows. Prints the median and the 99th percentile.
//
//     ledger_bench [FOLDER]     (the ledger file goes to FOLDER, /tmp otherwise)

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "ledger/sqlite_ledger.h"
#include "support/scratch_directory.h"

namespace {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr int kCycles = 500;
constexpr long kSizes[] = {1'000, 100'000, 1'000'000};

// Rows as production leaves them, in one transaction.
bool Fill(const std::string& path, long from, long to) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  const std::string sql =
      "WITH RECURSIVE n(i) AS (SELECT " + std::to_string(from) +
      " UNION ALL SELECT i + 1 FROM n WHERE i + 1 < " + std::to_string(to) +
      ") INSERT INTO carrier_ids SELECT CAST(printf('%016d', i) AS BLOB), 'Bench', 'counter',"
      " i, '', 0, '', 'bench', 'programmed', 0, 0 FROM n";
  const bool filled = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  if (!filled) std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
  sqlite3_close(db);
  return filled;
}

double Percentile(std::vector<double> times, double fraction) {
  std::sort(times.begin(), times.end());
  return times[static_cast<std::size_t>(fraction * static_cast<double>(times.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
  torvane::test::ScratchDirectory scratch;
  const std::string folder = argc > 1 ? argv[1] : scratch.path();
  const std::string path = folder + "/bench.ledger";
  std::remove(path.c_str());
  auto opened = torvane::SqliteLedger::Open(path);
  if (!opened.ok()) {
    std::fprintf(stderr, "%s\n", opened.error.c_str());
    return 1;
  }
  torvane::CarrierIdLedger& ledger = *opened.value;
  std::printf("%d cycles per line, SQLite ledger in %s (WAL, synchronous=FULL)\n", kCycles,
              folder.c_str());
  long rows = 0;
  long next = 10'000'000;  // above every filled row
  for (const long size : kSizes) {
    if (!Fill(path, rows, size)) return 1;
    rows = size;
    std::vector<double> reserve;
    std::vector<double> cycle;
    torvane::LedgerClaim claim;
    claim.setName = "Bench";
    claim.station = "bench";
    for (int i = 0; i < kCycles; ++i) {
      claim.carrierId = std::to_string(++next);
      claim.source.counterValue = claim.carrierId;
      const auto start = Clock::now();
      const auto reserved = ledger.Reserve(claim);
      const auto held = Clock::now();
      const auto marked = ledger.MarkProgrammed(claim.carrierId, "E0040100");
      const auto end = Clock::now();
      if (!reserved.ok() || !reserved.value.granted || !marked.ok()) {
        std::fprintf(stderr, "failed: %s%s\n", reserved.error.c_str(), marked.error.c_str());
        return 1;
      }
      reserve.push_back(Millis(held - start).count());
      cycle.push_back(Millis(end - start).count());
    }
    std::printf(
        "%9ld rows  reservation median %6.3f ms  p99 %6.3f ms   "
        "reservation + programmed median %6.3f ms  p99 %6.3f ms\n",
        size, Percentile(reserve, 0.5), Percentile(reserve, 0.99), Percentile(cycle, 0.5),
        Percentile(cycle, 0.99));
    std::fflush(stdout);
  }
  return 0;
}
