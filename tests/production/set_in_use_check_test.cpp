#include <gtest/gtest.h>

#include "config/set_file.h"
#include "platform/profile.h"
#include "production/production_fixture.h"
#include "production/set_in_use_load.h"

namespace torvane::test {
namespace {

class SetInUseCheckTest : public ProductionTest {
 protected:
  struct Entry {
    const char* section;
    const char* key;
    std::string value;
  };

  // The fixture's set saved as a file, the entries written into it by hand,
  // then loaded as the main window loads the set in use.
  void LoadEdited(const std::vector<Entry>& entries) {
    const std::string path = directory.File(std::string(kSetName) + ".ini");
    ASSERT_TRUE(SaveSetFile(path, setInUse.set).ok());
    Result<ProfileFile> file = ProfileFile::Load(path);
    ASSERT_TRUE(file.ok()) << file.error;
    for (const Entry& entry : entries) file.value.Write(entry.section, entry.key, entry.value);
    ASSERT_TRUE(file.value.Save().ok());
    ASSERT_TRUE(LoadSetInUse(workingDirectory, setInUse, pages, production).ok());
  }
};

constexpr const char* kLayout = "SEMI E99 Carrier ID Setup";

TEST_F(SetInUseCheckTest, ABadSetFileStopsProductionNamingTheKeyAndNothingIsWritten) {
  enum class Source { Counter, Csv, FixData };
  struct Case {
    Source source;
    std::vector<Entry> entries;  // the last one is the key the message names
  };
  const std::string twentyDigits = "99999999999999999999";
  const Case cases[] = {
      {Source::Counter, {{kLayout, "Carrier ID Length", twentyDigits}}},
      {Source::Counter, {{kLayout, "Carrier ID Length", "17"}}},
      {Source::Counter, {{kLayout, "Carrier ID Length", "0"}}},
      {Source::Counter, {{kLayout, "Carrier ID Length", ""}}},
      {Source::Counter, {{kLayout, "Memory Page", "99"}, {kLayout, "Carrier ID Offset", "100000"}}},
      {Source::Counter, {{kLayout, "Carrier ID Offset", "100000"}}},
      {Source::Counter, {{kLayout, "Carrier ID Offset", "-1"}}},
      {Source::Counter, {{kLayout, "Carrier ID Offset", "9"}}},  // 9 + 8 passes page 2
      {Source::Counter, {{kLayout, "Memory Page", "0"}}},
      {Source::Counter, {{kLayout, "Carrier ID", "-1"}}},
      {Source::Counter, {{kLayout, "Carrier ID", "12abc"}}},
      {Source::Counter, {{kLayout, "Carrier ID", ""}}},
      {Source::Counter, {{kLayout, "Carrier ID", "18446744073709551616"}}},
      {Source::Counter, {{"Page 1", "HEX 00", "ZZ"}}},
      {Source::Counter, {{"Page 2", "HEX 09", "1FF"}}},
      {Source::Counter, {{"Page 3", "HEX 16", ""}}},
      {Source::Counter, {{"Page 17", "HEX 135", "G0"}}},
      {Source::Counter, {{"Pages 3-17", "Counter Page", "18"}}},
      {Source::Counter,
       {{"Pages 3-17", "Counter Page", "5"}, {"Pages 3-17", "Counter Value", "123456789"}}},
      {Source::Csv, {{kLayout, "Memory Page", "17"}, {kLayout, "Carrier ID Offset", "4"}}},
      {Source::Csv, {{kLayout, "Carrier ID Offset", "16"}}},
      {Source::FixData, {{"Work order Setup", "Quantity", "12abc"}}},
  };
  for (const Case& c : cases) {
    const Entry& named = c.entries.back();
    const std::string entry = std::string(named.key) + "=" + named.value;
    setInUse.set = ConfigurationSet{};
    setInUse.set.byteHex.fill("00");
    setInUse.set.carrierIdOffset = "0";
    setInUse.set.carrierIdLength = "8";
    setInUse.set.memoryPage = "1";
    setInUse.set.carrierId = "7";
    setInUse.set.quantity = "5";
    setInUse.set.log = true;
    if (c.source == Source::Counter) UseDecimalCounter("7", "8", "1000");
    if (c.source == Source::Csv) UseCsv("Carrier ID;done\r\nA0000001;\r\n");
    LoadEdited(c.entries);
    const std::string csv = directory.Exists("ids.csv") ? Csv() : "";
    const std::string setFile = SetFile();
    view.messages.clear();
    NewCommands();

    const CycleOutcome outcome = cycle.ProgramOneTag();
    EXPECT_FALSE(outcome.programmed) << entry;
    EXPECT_TRUE(outcome.stopped) << entry;
    EXPECT_EQ(NewCommands(), std::vector<std::string>{}) << entry;
    EXPECT_TRUE(records.records.empty()) << entry;
    EXPECT_EQ(SetFile(), setFile) << entry;
    EXPECT_EQ(directory.Exists("ids.csv") ? Csv() : "", csv) << entry;
    EXPECT_FALSE(directory.Exists("Torvane.inflight")) << entry;
    ASSERT_EQ(view.messages.size(), 1u) << entry;
    EXPECT_NE(view.messages[0].text.find("\"" + entry + "\""), std::string::npos)
        << view.messages[0].text;
    EXPECT_NE(view.messages[0].text.find(std::string("\"") + kSetName + "\""), std::string::npos)
        << view.messages[0].text;
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning) << entry;
  }
}

TEST_F(SetInUseCheckTest, TheLargestLayoutsThatFitAreProduced) {
  struct Case {
    std::vector<Entry> entries;
  };
  const Case cases[] = {
      {{{kLayout, "Carrier ID Offset", "0"}, {kLayout, "Carrier ID Length", "16"}}},
      {{{kLayout, "Carrier ID Offset", "8"}, {kLayout, "Carrier ID Length", "8"}}},
      {{{kLayout, "Carrier ID", "0000042"}}},
  };
  for (const Case& c : cases) {
    UseDecimalCounter("7", "8", "");
    maxText = "99999999";
    LoadEdited(c.entries);
    view.messages.clear();
    simulator->PlaceBlankTransponder();
    const CycleOutcome outcome = cycle.ProgramOneTag();
    EXPECT_TRUE(outcome.programmed) << (view.messages.empty() ? "" : view.messages[0].text);
  }
}

}  // namespace
}  // namespace torvane::test
