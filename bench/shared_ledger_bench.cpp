// The time of one carrier-ID reservation on the two ledger stores: the SQLite
// file and a local PostgreSQL server (the tests' throw-away server, durable
// commits), for one station and for four stations reserving at once, on ledgers
// that already hold 1,000, 100,000 and 1,000,000 rows. Prints the median and
// the 99th percentile of each.
//
//     shared_ledger_bench

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ledger/postgres_ledger.h"
#include "ledger/sqlite_ledger.h"
#include "support/scratch_directory.h"
#include "support/throwaway_postgres.h"

namespace {

using torvane::CarrierIdLedger;
using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr int kReservationsPerRun = 400;
constexpr int kStationCounts[] = {1, 4};
constexpr long kSizes[] = {1'000, 100'000, 1'000'000};

// Rows the way a station leaves them: 16-character IDs, programmed.
std::string SqliteFill(long from, long to) {
  return "WITH RECURSIVE n(i) AS (SELECT " + std::to_string(from) +
         " UNION ALL SELECT i + 1 FROM n WHERE i + 1 < " + std::to_string(to) +
         ") INSERT INTO carrier_ids SELECT CAST(printf('F%015d', i) AS BLOB), 'Bench', 'counter',"
         " i, '', 0, '', 'filler', 'programmed', 0, 0 FROM n";
}

std::string PostgresFill(long from, long to) {
  return "INSERT INTO carrier_ids SELECT convert_to('F' || lpad(i::text, 15, '0'), 'UTF8'),"
         " 'Bench', 'counter', i, '', 0, '', 'filler', 'programmed', now(), now()"
         " FROM generate_series(" +
         std::to_string(from) + ", " + std::to_string(to - 1) + ") i; ANALYZE carrier_ids";
}

class Store {
 public:
  virtual ~Store() = default;
  virtual const char* name() const = 0;
  virtual std::unique_ptr<CarrierIdLedger> Open() const = 0;
  virtual bool Fill(long from, long to) const = 0;
};

class SqliteStore : public Store {
 public:
  explicit SqliteStore(std::string path) : path_(std::move(path)) {}
  const char* name() const override { return "SQLite"; }
  std::unique_ptr<CarrierIdLedger> Open() const override {
    return std::move(torvane::SqliteLedger::Open(path_).value);
  }
  bool Fill(long from, long to) const override {
    sqlite3* db = nullptr;
    sqlite3_open(path_.c_str(), &db);
    sqlite3_busy_timeout(db, 5000);
    const bool filled =
        sqlite3_exec(db, SqliteFill(from, to).c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!filled) std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
    sqlite3_close(db);
    return filled;
  }

 private:
  std::string path_;
};

class PostgresStore : public Store {
 public:
  PostgresStore(torvane::test::ThrowawayPostgres& server, std::string database)
      : server_(server), database_(std::move(database)) {}
  const char* name() const override { return "PostgreSQL"; }
  std::unique_ptr<CarrierIdLedger> Open() const override {
    return std::move(torvane::PostgresLedger::Open(server_.ConnectionString(database_)).value);
  }
  bool Fill(long from, long to) const override {
    const auto filled = server_.Sql(database_, PostgresFill(from, to));
    if (!filled.ok()) std::fprintf(stderr, "%s\n", filled.error.c_str());
    return filled.ok();
  }

 private:
  torvane::test::ThrowawayPostgres& server_;
  std::string database_;
};

// Each station reserves its share of new IDs on a connection of its own;
// returns every reservation's time.
std::vector<double> ReserveAtOnce(const Store& store, int stations, int run) {
  std::vector<double> times;
  std::mutex guard;
  std::vector<std::thread> threads;
  for (int s = 0; s < stations; ++s) {
    threads.emplace_back([&, s] {
      std::unique_ptr<CarrierIdLedger> ledger = store.Open();
      torvane::LedgerClaim claim;
      claim.setName = "Bench";
      claim.station = "bench-" + std::to_string(s);
      std::vector<double> own;
      for (int i = 0; i < kReservationsPerRun / stations; ++i) {
        claim.carrierId =
            "R" + std::to_string(run) + "-" + std::to_string(s) + "-" + std::to_string(i);
        const auto start = Clock::now();
        const auto reserved = ledger->Reserve(claim);
        own.push_back(Millis(Clock::now() - start).count());
        if (!reserved.ok() || !reserved.value.granted)
          std::fprintf(stderr, "reservation failed: %s\n", reserved.error.c_str());
      }
      std::lock_guard lock(guard);
      times.insert(times.end(), own.begin(), own.end());
    });
  }
  for (std::thread& thread : threads) thread.join();
  return times;
}

double Percentile(std::vector<double> times, double fraction) {
  std::sort(times.begin(), times.end());
  return times[static_cast<std::size_t>(fraction * static_cast<double>(times.size() - 1))];
}

void Measure(const Store& store) {
  store.Open();  // the tables
  long rows = 0;
  int run = 0;
  for (const long size : kSizes) {
    if (!store.Fill(rows, size)) return;
    rows = size;
    for (const int stations : kStationCounts) {
      const std::vector<double> times = ReserveAtOnce(store, stations, ++run);
      std::printf("%-10s  %9ld rows  %d station%s  median %7.3f ms  p99 %7.3f ms\n", store.name(),
                  size, stations, stations == 1 ? " " : "s", Percentile(times, 0.5),
                  Percentile(times, 0.99));
      std::fflush(stdout);
    }
  }
}

}  // namespace

int main() {
  std::printf("Reservation time, %d reservations per line (durable commits on both stores)\n",
              kReservationsPerRun);
  torvane::test::ScratchDirectory folder;
  Measure(SqliteStore(folder.File("bench.ledger")));

  torvane::test::ThrowawayPostgres& server = torvane::test::ThrowawayPostgres::Shared();
  const auto database = server.running() ? server.CreateDatabase()
                                         : torvane::Result<std::string>::Failure(server.error());
  if (!database.ok()) {
    std::fprintf(stderr, "No local PostgreSQL server: %s\n", database.error.c_str());
    return 1;
  }
  // The tables, made as the database's owner makes them.
  const auto owner = torvane::PostgresLedger::Open(server.ConnectionString(database.value));
  const torvane::Status tables =
      owner.ok() ? owner.value->Initialise() : torvane::Status::Failure(owner.error);
  if (!tables.ok()) {
    std::fprintf(stderr, "%s\n", tables.error.c_str());
    return 1;
  }
  Measure(PostgresStore(server, database.value));
  return 0;
}
