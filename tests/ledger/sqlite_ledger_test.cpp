#include "ledger/sqlite_ledger.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <thread>
#include <vector>

#include "ledger/ledger_settings.h"
#include "ledger/station_history.h"
#include "ledger/station_ledger.h"
#include "support/scratch_directory.h"

namespace torvane {
namespace {

using test::ScratchDirectory;

LedgerClaim Claim(std::string carrierId, std::string setName = "Demo",
                  std::string station = "line-1") {
  LedgerClaim claim;
  claim.carrierId = std::move(carrierId);
  claim.setName = std::move(setName);
  claim.source = {LedgerSourceKind::DecimalCounter, "5", "", 0};
  claim.station = std::move(station);
  return claim;
}

std::unique_ptr<SqliteLedger> OpenOrFail(const std::string& path) {
  auto opened = SqliteLedger::Open(path);
  EXPECT_TRUE(opened.ok()) << opened.error;
  return std::move(opened.value);
}

TEST(SqliteLedger, RefusedReservationReturnsTheRowThatHoldsTheId) {
  auto ledger = OpenOrFail(":memory:");
  LedgerClaim first = Claim("0000000000000005");
  first.uid = "E0040100";
  first.source = {LedgerSourceKind::CsvFile, "", "/w/ids.csv", 7};
  const auto granted = ledger->Reserve(first);
  ASSERT_TRUE(granted.ok()) << granted.error;
  EXPECT_TRUE(granted.value.granted);

  const auto refused = ledger->Reserve(Claim("0000000000000005", "Other", "line-2"));
  ASSERT_TRUE(refused.ok()) << refused.error;
  EXPECT_FALSE(refused.value.granted);
  EXPECT_EQ(static_cast<const LedgerClaim&>(refused.value.row), first);
  EXPECT_EQ(refused.value.row.state, LedgerState::Reserved);
  EXPECT_EQ(refused.value.row.reservedAt, granted.value.row.reservedAt);
}

TEST(SqliteLedger, StationHistoryListsItsOwnRowsNewestFirstWithTheirReasons) {
  auto ledger = OpenOrFail(":memory:");
  const auto add = [&](const char* id, const char* set, const char* station, LedgerState state) {
    ASSERT_TRUE(ledger->Reserve(Claim(id, set, station)).ok());
    Result<LedgerState> marked = Result<LedgerState>::Success(LedgerState::Reserved);
    if (state == LedgerState::Programmed) marked = ledger->MarkProgrammed(id, "E1");
    if (state == LedgerState::Spent) marked = ledger->MarkSpent(id, "E2");
    if (state == LedgerState::Written) marked = ledger->MarkWritten(id, "E3");
    ASSERT_TRUE(marked.ok()) << marked.error;
  };
  add("A1", "Demo", "line-1", LedgerState::Programmed);
  add("B2", "Demo", "line-1", LedgerState::Spent);
  add("C3", "Lot", "line-1", LedgerState::Written);
  add("D4", "Demo", "line-2", LedgerState::Programmed);
  const std::map<std::string, std::string> reasons = {{"B2", "page 1 write: \"NAK\", 3 tries"}};
  // The set as text, not an optional one: GCC 12 at -O3 takes the optional
  // string in a table of aggregates for uninitialised.
  struct Case {
    const char* name;
    const char* setName;  // nullptr: every set
    std::optional<LedgerState> state;
    std::size_t limit;
    std::vector<std::string> ids;
  };
  const Case cases[] = {
      {"all of this station", nullptr, std::nullopt, 10, {"C3", "B2", "A1"}},
      {"the newest two", nullptr, std::nullopt, 2, {"C3", "B2"}},
      {"one set", "Lot", std::nullopt, 10, {"C3"}},
      {"one state", nullptr, LedgerState::Spent, 10, {"B2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HistoryFilter filter;
    if (c.setName != nullptr) filter.setName = c.setName;
    filter.state = c.state;
    const auto history = StationHistory(*ledger, "line-1", filter, c.limit, reasons);
    ASSERT_TRUE(history.ok()) << history.error;
    std::vector<std::string> ids;
    for (const HistoryEntry& entry : history.value) ids.push_back(entry.carrierId);
    EXPECT_EQ(ids, c.ids);
  }
  const auto all = StationHistory(*ledger, "line-1", {}, 10, reasons);
  ASSERT_TRUE(all.ok());
  EXPECT_EQ(all.value[0].reason.find("not programmed"), 0u);  // what the state means
  EXPECT_EQ(all.value[1].reason, reasons.at("B2"));
  EXPECT_EQ(all.value[2].reason, "");
  EXPECT_EQ(all.value[2].uid, "E1");
  const std::string csv = HistoryCsv({all.value[1]});
  EXPECT_TRUE(csv.starts_with("carrier ID,UID,state,time,set,reason\r\nB2,E2,spent,")) << csv;
  EXPECT_TRUE(csv.ends_with(",Demo,\"page 1 write: \"\"NAK\"\", 3 tries\"\r\n")) << csv;
}

TEST(SqliteLedger, KeyIsTheBytesAsWritten) {
  auto ledger = OpenOrFail(":memory:");
  // Different bytes are different IDs, whatever their text or number says.
  const std::vector<std::string> ids = {"42",       "0042",     "042", std::string("42\0", 3),
                                        "\xFC\x01", "\xFC\x02", ""};
  for (const std::string& id : ids) {
    const auto reserved = ledger->Reserve(Claim(id));
    ASSERT_TRUE(reserved.ok()) << reserved.error;
    EXPECT_TRUE(reserved.value.granted) << PrintableCarrierId(id);
  }
  for (const std::string& id : ids) {
    const auto found = ledger->LookUp(id);
    ASSERT_TRUE(found.ok() && found.value) << PrintableCarrierId(id);
    EXPECT_EQ(found.value->carrierId, id);
  }
}

TEST(SqliteLedger, StatesMoveForwardAndFinalOnesStay) {
  struct Case {
    std::vector<LedgerState> marks;
    LedgerState expected;
  };
  const std::vector<Case> cases = {
      {{LedgerState::Written}, LedgerState::Written},
      {{LedgerState::Written, LedgerState::Programmed}, LedgerState::Programmed},
      {{LedgerState::Written, LedgerState::Spent}, LedgerState::Spent},
      {{LedgerState::Programmed, LedgerState::Spent}, LedgerState::Programmed},
      {{LedgerState::Spent, LedgerState::Programmed}, LedgerState::Spent},
      {{LedgerState::Spent, LedgerState::Written}, LedgerState::Spent},
  };
  for (const Case& c : cases) {
    auto ledger = OpenOrFail(":memory:");
    ASSERT_TRUE(ledger->Reserve(Claim("A1")).ok());
    for (const LedgerState mark : c.marks) {
      const Result<LedgerState> moved = mark == LedgerState::Written ? ledger->MarkWritten("A1", "")
                                        : mark == LedgerState::Programmed
                                            ? ledger->MarkProgrammed("A1", "")
                                            : ledger->MarkSpent("A1", "");
      ASSERT_TRUE(moved.ok()) << moved.error;
      // Each mark says what the row holds after it: a final state refuses the change.
      EXPECT_EQ(moved.value, mark == c.marks.back() ? c.expected : mark);
    }
    EXPECT_EQ(ledger->LookUp("A1").value->state, c.expected)
        << LedgerStateName(c.marks.front()) << " then " << LedgerStateName(c.marks.back());
  }
}

TEST(SqliteLedger, UidIsKeptUntilAnotherIsKnown) {
  auto ledger = OpenOrFail(":memory:");
  ASSERT_TRUE(ledger->Reserve(Claim("A1")).ok());
  ASSERT_TRUE(ledger->MarkWritten("A1", "E0040100").ok());
  ASSERT_TRUE(ledger->MarkSpent("A1", "").ok());
  EXPECT_EQ(ledger->LookUp("A1").value->uid, "E0040100");
}

TEST(SqliteLedger, MarkingAnIdWithoutRowFailsNamingIt) {
  auto ledger = OpenOrFail(":memory:");
  const Result<LedgerState> moved = ledger->MarkProgrammed("NOPE", "");
  EXPECT_FALSE(moved.ok());
  EXPECT_NE(moved.error.find("NOPE"), std::string::npos) << moved.error;
}

TEST(SqliteLedger, ListsBySetAndTimeAndNotesRewrites) {
  auto ledger = OpenOrFail(":memory:");
  for (const char* id : {"A1", "A2", "A3"}) ASSERT_TRUE(ledger->Reserve(Claim(id, "A")).ok());
  ASSERT_TRUE(ledger->Reserve(Claim("B1", "B")).ok());
  LedgerClaim fix = Claim("FIX", "Fix");
  fix.source.kind = LedgerSourceKind::FixData;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(ledger->NoteRewrite(fix).ok());

  LedgerQuery setA;
  setA.setName = "A";
  const auto listed = ledger->List(setA);
  ASSERT_TRUE(listed.ok()) << listed.error;
  ASSERT_EQ(listed.value.size(), 3u);
  EXPECT_EQ(listed.value[0].carrierId, "A1");
  EXPECT_EQ(listed.value[2].carrierId, "A3");

  const LedgerTime b1 = ledger->LookUp("B1").value->reservedAt;
  LedgerQuery window;
  window.from = b1;
  window.to = b1 + std::chrono::milliseconds(1);
  const auto inWindow = ledger->List(window);
  ASSERT_TRUE(inWindow.ok());
  bool b1Listed = false;
  for (const LedgerRow& row : inWindow.value) {
    EXPECT_EQ(row.reservedAt, b1);
    b1Listed = b1Listed || row.carrierId == "B1";
  }
  EXPECT_TRUE(b1Listed);
  LedgerQuery before;
  before.to = b1;
  for (const LedgerRow& row : ledger->List(before).value) EXPECT_NE(row.carrierId, "B1");

  LedgerQuery ofFix;
  ofFix.carrierId = "FIX";
  const auto rewrites = ledger->Rewrites(ofFix);
  ASSERT_TRUE(rewrites.ok()) << rewrites.error;
  EXPECT_EQ(rewrites.value.size(), 3u);
  EXPECT_EQ(rewrites.value[0].source.kind, LedgerSourceKind::FixData);
  EXPECT_FALSE(ledger->LookUp("FIX").value) << "a rewrite reserves nothing";
}

TEST(SqliteLedger, FileKeepsRowsInWalModeAcrossOpens) {
  ScratchDirectory dir;
  const std::string path = dir.File("Torvane.ledger");
  {
    auto ledger = OpenOrFail(path);
    ASSERT_TRUE(ledger->Reserve(Claim("A1")).ok());
    ASSERT_TRUE(ledger->MarkProgrammed("A1", "E004").ok());
  }
  auto ledger = OpenOrFail(path);
  EXPECT_EQ(ledger->LookUp("A1").value->state, LedgerState::Programmed);
  EXPECT_FALSE(ledger->Reserve(Claim("A1")).value.granted);

  sqlite3* raw = nullptr;
  ASSERT_EQ(sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  sqlite3_stmt* mode = nullptr;
  sqlite3_prepare_v2(raw, "PRAGMA journal_mode", -1, &mode, nullptr);
  ASSERT_EQ(sqlite3_step(mode), SQLITE_ROW);
  EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(mode, 0)), "wal");
  sqlite3_finalize(mode);
  sqlite3_close(raw);
}

TEST(SqliteLedger, OpenFailuresCarryThePathAndTheDatabaseText) {
  ScratchDirectory dir;
  dir.Write("garbage.ledger", std::string(4096, 'x'));
  { auto ledger = OpenOrFail(dir.File("newer.ledger")); }
  sqlite3* raw = nullptr;
  sqlite3_open(dir.File("newer.ledger").c_str(), &raw);
  sqlite3_exec(raw, "UPDATE schema_version SET version = 99", nullptr, nullptr, nullptr);
  sqlite3_close(raw);

  struct Case {
    std::string path;
    std::string expectedText;
  };
  const std::vector<Case> cases = {
      {dir.File("garbage.ledger"), "file is not a database"},
      {dir.File("newer.ledger"), "schema version 99"},
      {dir.File("missing/folder/x.ledger"), "unable to open database file"},
  };
  for (const Case& c : cases) {
    const auto opened = SqliteLedger::Open(c.path);
    ASSERT_FALSE(opened.ok()) << c.path;
    EXPECT_NE(opened.error.find(c.path), std::string::npos) << opened.error;
    EXPECT_NE(opened.error.find(c.expectedText), std::string::npos) << opened.error;
  }
}

TEST(SqliteLedger, TwoConnectionsRacingForOneIdGrantItOnce) {
  ScratchDirectory dir;
  const std::string path = dir.File("shared.ledger");
  OpenOrFail(path);
  constexpr int kIds = 50;
  std::atomic<int> granted{0};
  std::atomic<int> failures{0};
  const auto station = [&](const char* name) {
    auto opened = SqliteLedger::Open(path);
    if (!opened.ok()) {
      ++failures;
      return;
    }
    for (int i = 0; i < kIds; ++i) {
      const auto reserved = opened.value->Reserve(Claim(std::to_string(i), "S", name));
      if (!reserved.ok()) ++failures;
      if (reserved.ok() && reserved.value.granted) ++granted;
    }
  };
  std::thread one(station, "one");
  std::thread two(station, "two");
  one.join();
  two.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(granted.load(), kIds);
}

TEST(LedgerSettings, TheSettingNamesAFileOrAServerAndNeverHoldsAPassword) {
  ScratchDirectory dir;
  struct Case {
    std::string database;
    std::optional<LedgerKind> kind;  // nothing: refused
    std::string placeOrError;
  };
  const std::vector<Case> cases = {
      {"", LedgerKind::Sqlite, dir.File(kDefaultLedgerFile)},
      {"sub.ledger", LedgerKind::Sqlite, dir.File("sub.ledger")},
      {"/data/a=b.ledger", LedgerKind::Sqlite, "/data/a=b.ledger"},
      {"host=db dbname=torvane", LedgerKind::Postgres, "host=db dbname=torvane"},
      {"PostgreSQL://line@db/ledger", LedgerKind::Postgres, "postgresql://line@db/ledger"},
      {"Postgres://line@db/ledger", LedgerKind::Postgres, "postgres://line@db/ledger"},
      {"host=db password=secret dbname=x", std::nullopt, "PGPASSWORD"},
      {"POSTGRESQL://line:secret@db/ledger", std::nullopt, "~/.pgpass"},
      {"hots=db dbname=x", std::nullopt, "invalid connection option \"hots\""},
  };
  for (const Case& c : cases) {
    const Result<LedgerPlace> place = LedgerPlaceOf(c.database, dir.path());
    ASSERT_EQ(place.ok(), c.kind.has_value()) << c.database << ": " << place.error;
    if (c.kind) {
      EXPECT_EQ(place.value.kind, *c.kind) << c.database;
      EXPECT_EQ(place.value.where, c.placeOrError);
      EXPECT_EQ(place.value.defaultFile, c.database.empty()) << c.database;
    } else {
      EXPECT_NE(place.error.find(c.placeOrError), std::string::npos) << place.error;
      EXPECT_EQ(place.error.find("secret"), std::string::npos) << place.error;
    }
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(LedgerSettings, AFileIsMadeOnlyWhenAskedFor) {
  ScratchDirectory dir;
  const auto missing = OpenCarrierIdLedger({"sub.ledger", "x"}, dir.path());
  ASSERT_FALSE(missing.ok());
  EXPECT_NE(missing.error.find(dir.File("sub.ledger")), std::string::npos) << missing.error;
  EXPECT_FALSE(dir.Exists("sub.ledger"));
  const auto made = OpenCarrierIdLedger({"sub.ledger", "x"}, dir.path(), {true, ""});
  ASSERT_TRUE(made.ok()) << made.error;
  EXPECT_TRUE(dir.Exists("sub.ledger"));
  EXPECT_EQ(LedgerStationName({"", "bay-3"}), "bay-3");
  EXPECT_EQ(LedgerStationName({}), DefaultStationName());
}

// What the station does with the ledger of its settings across runs: each run
// is a StationLedger made from Torvane.ini as it stands then.
class StationLedgerTest : public ::testing::Test {
 protected:
  struct Run {
    LedgerSettings settings;
    std::unique_ptr<StationLedger> ledger;
  };
  std::unique_ptr<Run> Start(const std::string& database) {
    auto run = std::make_unique<Run>();
    const Result<ProfileFile> ini = ProfileFile::Load(dir.File("Torvane.ini"));
    run->settings = ReadLedgerSettings(ini.value);
    run->settings.database = database;
    run->ledger = std::make_unique<StationLedger>(run->settings, dir.path(),
                                                  [this](const std::string& question) {
                                                    questions.push_back(question);
                                                    return answer;
                                                  });
    return run;
  }
  std::string Remembered() const {
    return ReadLedgerSettings(ProfileFile::Load(dir.File("Torvane.ini")).value).identity;
  }

  ScratchDirectory dir;
  std::vector<std::string> questions;
  bool answer = false;
};

TEST_F(StationLedgerTest, ALedgerFileIsMadeSilentlyOnlyAtTheDefaultPlaceOfANewStation) {
  struct Case {
    std::string name;
    std::string database;
    bool answer;
    bool opens;
    std::size_t questions;
  };
  const std::vector<Case> cases = {
      {"default place, first start", "", false, true, 0},
      {"mistyped path, no", "Torvane.ledgr", false, false, 1},
      {"named file, yes", "line.ledger", true, true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(dir.File("Torvane.ini"));
    questions.clear();
    answer = c.answer;
    const auto run = Start(c.database);
    const Result<CarrierIdLedger*> store = run->ledger->Store();
    EXPECT_EQ(store.ok(), c.opens) << store.error;
    ASSERT_EQ(questions.size(), c.questions);
    const std::string file = c.database.empty() ? kDefaultLedgerFile : c.database;
    if (c.questions > 0) {
      EXPECT_NE(questions[0].find(dir.File(file)), std::string::npos);
    }
    EXPECT_EQ(dir.Exists(file), c.opens);
    if (c.opens) {
      EXPECT_EQ(Remembered(), store.value->Identity().value);
    } else {
      EXPECT_NE(store.error.find(dir.File(file)), std::string::npos) << store.error;
    }
  }
}

TEST_F(StationLedgerTest, ALedgerGoneOrReplacedIsUsedOnlyWhenTheOperatorAgrees) {
  ASSERT_TRUE(Start("")->ledger->Store().ok());
  const std::string own = Remembered();
  const std::string path = dir.File(kDefaultLedgerFile);
  struct Case {
    std::string name;
    std::function<void()> between;  // what happens to the file between runs
    bool answer;
    bool opens;
    bool sameIdentity;
  };
  const std::vector<Case> cases = {
      {"unchanged", [] {}, false, true, true},
      {"deleted, no", [&] { std::filesystem::remove(path); }, false, false, true},
      {"replaced, no",
       [&] {
         std::filesystem::remove(path);
         ASSERT_TRUE(SqliteLedger::Open(path).ok());
       },
       false, false, true},
      {"replaced, yes", [] {}, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.between();
    questions.clear();
    answer = c.answer;
    const auto run = Start("");
    const Result<CarrierIdLedger*> store = run->ledger->Store();
    EXPECT_EQ(store.ok(), c.opens) << store.error;
    EXPECT_EQ(questions.size(), c.name == "unchanged" ? 0u : 1u);
    EXPECT_EQ(Remembered() == own, c.sameIdentity);
  }
  EXPECT_NE(questions[0].find("another"), std::string::npos) << questions[0];
}

TEST_F(StationLedgerTest, AFileDeletedDuringARunStopsTheNextReservation) {
  auto run = Start("");
  CarrierIdLedger* store = run->ledger->Store().value;
  ASSERT_TRUE(store->Reserve(Claim("A1")).value.granted);
  std::filesystem::remove(dir.File(kDefaultLedgerFile));
  const auto afterDelete = store->Reserve(Claim("A2"));
  ASSERT_FALSE(afterDelete.ok());
  const auto noticed = run->ledger->Store();
  ASSERT_FALSE(noticed.ok());
  EXPECT_NE(noticed.error.find("deleted or replaced"), std::string::npos) << noticed.error;
  EXPECT_TRUE(questions.empty());
  EXPECT_FALSE(run->ledger->Store().ok());
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_NE(questions[0].find("is gone"), std::string::npos) << questions[0];
  EXPECT_FALSE(dir.Exists(kDefaultLedgerFile));
}

TEST_F(StationLedgerTest, AFileAnotherProgramHoldsLockedIsSaidSo) {
  auto run = Start("");
  CarrierIdLedger* store = run->ledger->Store().value;
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open(dir.File(kDefaultLedgerFile).c_str(), &other), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  const auto locked = store->Reserve(Claim("A1"));
  sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(other);
  ASSERT_FALSE(locked.ok());
  EXPECT_NE(locked.error.find("locked by another program"), std::string::npos) << locked.error;
  EXPECT_TRUE(store->Reserve(Claim("A1")).value.granted);
}

}  // namespace
}  // namespace torvane
