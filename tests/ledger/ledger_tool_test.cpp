#include "ledger_tool.h"

#include <gtest/gtest.h>

#include <sstream>

#include "ledger/sqlite_ledger.h"
#include "support/scratch_directory.h"

namespace torvane {
namespace {

using test::ScratchDirectory;

class LedgerToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The station's ledger is named in Torvane.ini; the tool finds it there.
    directory.Write("Torvane.ini", "[Ledger]\r\ndatabase=line.ledger\r\n");
    auto opened = SqliteLedger::Open(directory.File("line.ledger"));
    ASSERT_TRUE(opened.ok()) << opened.error;
    CarrierIdLedger& ledger = *opened.value;
    LedgerClaim counter{"0000000000000005", "Demo", {}, "", "bay-1", ""};
    counter.source.counterValue = "5";
    ASSERT_TRUE(ledger.Reserve(counter).ok());
    ASSERT_TRUE(ledger.MarkProgrammed("0000000000000005", "E0040100").ok());
    LedgerClaim csv{"LOT-1", "Lot, north", {}, "", "bay-2", ""};
    csv.source = {LedgerSourceKind::CsvFile, "", "/w/ids.csv", 1};
    ASSERT_TRUE(ledger.Reserve(csv).ok());
    ASSERT_TRUE(ledger.MarkSpent("LOT-1", "").ok());
    ASSERT_TRUE(ledger.Reserve({std::string("\x01\xFF", 2), "Raw", {}, "", "bay-1", ""}).ok());
    LedgerClaim manual{"0000000000000005", "", {}, "E0040200", "bay-1", ""};
    manual.source.kind = LedgerSourceKind::Manual;
    ASSERT_TRUE(ledger.NoteRewrite(manual).ok());
  }

  int Run(std::vector<std::string> arguments) {
    out.str("");
    err.str("");
    return RunLedgerTool(arguments, directory.path(), out, err);
  }

  ScratchDirectory directory;
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(LedgerToolTest, CommandsPrintWhatTheLedgerHolds) {
  struct Case {
    std::vector<std::string> arguments;
    int exitCode;
    std::vector<std::string> printed;  // each in the output
    std::vector<std::string> absent;
  };
  const std::vector<Case> cases = {
      {{"id", "0000000000000005"},
       0,
       {"0000000000000005  programmed", "set \"Demo\"", "station \"bay-1\"", "UID E0040100",
        "counter 5", "written again", "UID E0040200", "manual"},
       {"LOT-1"}},
      {{"id", "--hex", "01ff"}, 0, {"hex 01FF  reserved", "UID unknown"}, {}},
      {{"set", "Lot, north"}, 0, {"LOT-1  spent", "csv file /w/ids.csv line 1"}, {"Demo"}},
      {{"range", "2000-01-01", "2999-12-31 23:59"},
       0,
       {"LOT-1", "0000000000000005", "hex 01FF"},
       {}},
      {{"range", "2000-01-01", "2000-01-02"}, 1, {"no rows"}, {"LOT-1"}},
      {{"set", "NoSuchSet"}, 1, {"no rows"}, {"LOT-1"}},
      {{"id", "LOT-1", "--help"}, 0, {"usage: torvane-ledger", "copy-to URL"}, {"LOT-1"}},
      {{"export"},
       0,
       {"entry,carrier ID,carrier ID hex,state,", "\r\ncarrier ID,LOT-1,4C4F542D31,spent,",
        "\"Lot, north\",csv file,,/w/ids.csv,1,,bay-2\r\n", "\r\nrewrite,0000000000000005,"},
       {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.arguments), c.exitCode) << c.arguments[0] << ": " << err.str();
    for (const std::string& text : c.printed) {
      EXPECT_NE(out.str().find(text), std::string::npos) << c.arguments[0] << ": " << out.str();
    }
    for (const std::string& text : c.absent) {
      EXPECT_EQ(out.str().find(text), std::string::npos) << c.arguments[0] << ": " << out.str();
    }
  }
}

TEST_F(LedgerToolTest, UnknownIdsBadInputAndMissingLedgersAreSaidSo) {
  struct Case {
    std::vector<std::string> arguments;
    int exitCode;
    std::string error;
  };
  const std::vector<Case> cases = {
      {{"id", "0000000000000006"}, 1, "carrier ID 0000000000000006 is not in the ledger"},
      {{"id", "--hex", "0G"}, 2, "not hexadecimal digit pairs: 0G"},
      {{"range", "yesterday", "2030-01-01"}, 2, "not a time"},
      {{"lookup"}, 2, "usage: torvane-ledger"},
      {{}, 2, "usage: torvane-ledger"},
      {{"--database", directory.File("none/x.ledger"), "set", "Demo"}, 1, "no ledger file"},
      {{"--database", "Torvane.ledger", "export"}, 1, "no ledger file"},
      {{"--database", "Torvane.ledger", "id", "0000000000000005"}, 1, "no ledger file"},
      {{"init", "Torvane.ledger"}, 2, "not a PostgreSQL URL"},
      {{"init", "host=db password=secret"}, 1, "PGPASSWORD"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.arguments), c.exitCode) << err.str();
    EXPECT_NE(err.str().find(c.error), std::string::npos) << err.str();
  }
  // Looking never makes a ledger.
  EXPECT_FALSE(directory.Exists("Torvane.ledger"));
}

TEST_F(LedgerToolTest, ExportToAFileIsTheSameCsv) {
  ASSERT_EQ(Run({"export"}), 0);
  const std::string printed = out.str();
  ASSERT_EQ(Run({"export", directory.File("ledger.csv")}), 0) << err.str();
  EXPECT_EQ(directory.Read("ledger.csv"), printed);
}

}  // namespace
}  // namespace torvane
