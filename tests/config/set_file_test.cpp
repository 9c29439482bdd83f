#include "config/set_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "config/set_dir_fixture.h"
#include "platform/profile.h"

namespace torvane {
namespace {

using SetFileTest = test::SetDirectoryTest;

// "[section]" and "key" lines of a file, in order, without values.
std::vector<std::string> SectionsOf(const std::string& text) {
  std::vector<std::string> sections;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find("\r\n", start);
    const std::string line = text.substr(start, end - start);
    if (line.starts_with("[")) sections.push_back(line.substr(1, line.size() - 2));
    start = end == std::string::npos ? text.size() : end + 2;
  }
  return sections;
}

std::vector<std::string> KeysOfSection(const std::string& text, const std::string& section) {
  std::vector<std::string> keys;
  std::size_t start = text.find("[" + section + "]\r\n");
  if (start == std::string::npos) return keys;
  start = text.find("\r\n", start) + 2;
  for (std::size_t end; start < text.size() && text[start] != '['; start = end + 2) {
    end = text.find("\r\n", start);
    const std::string line = text.substr(start, end - start);
    keys.push_back(line.substr(0, line.find('=')));
  }
  return keys;
}

ConfigurationSet SampleSet() {
  ConfigurationSet set;
  set.operatorBadge = "B-17";
  set.partNumber = " P 100 ";  // blanks at the edges stay
  set.workOrderNumber = "WO 4711";
  set.quantity = "50";
  set.sourceCsv = true;
  set.sourceFile = "/data/ids.csv";
  set.carrierIdOffset = "2";
  set.carrierIdLength = "14";
  set.carrierId = "1000";
  set.lockCarrierId = true;
  set.memoryPage = "1";
  set.typeQuorvi = true;
  for (int i = 0; i < kMemoryBytes; ++i) set.byteHex[i] = i % 2 == 0 ? "00" : "41";
  set.fixByte[0] = set.fixByte[15] = true;
  set.editPage[2] = set.editPage[16] = true;
  set.lockPage[0] = set.lockPage[16] = true;
  set.writePages3To17 = true;
  set.counterPage = "5";
  set.alignment = "Right";
  set.counterValue = "00000042";
  set.log = true;
  set.logFile = "/data/Torvane.xml";
  return set;
}

TEST_F(SetFileTest, NewFileHasEverySectionAndKeyInSetOrder) {
  ASSERT_TRUE(SaveSetFile(PathOf("Lot.ini"), SampleSet()).ok());
  const std::string text = ReadFile("Lot.ini");

  std::vector<std::string> sections = {
      "Work order Setup", "Data Source", "SEMI E99 Carrier ID Setup", "Transponder type", "Page 1",
      "Page 2",           "Pages 3-17"};
  for (int page = 3; page <= 17; ++page) sections.push_back("Page " + std::to_string(page));
  sections.push_back("Log");
  EXPECT_EQ(SectionsOf(text), sections);

  const std::vector<std::pair<std::string, std::vector<std::string>>> keys = {
      {"Work order Setup", {"Operator badge ID#", "Part number", "Work order number", "Quantity"}},
      {"Data Source",
       {"Decimal counter", "csv file", "csv file complete", "file name", "fix data"}},
      {"SEMI E99 Carrier ID Setup",
       {"Carrier ID Offset", "Carrier ID Length", "Carrier ID", "Lock Carrier ID", "Memory Page"}},
      {"Transponder type", {"TI", "Quorvi"}},
      {"Page 2",
       {"HEX 08", "HEX 09", "HEX 10", "HEX 11", "HEX 12", "HEX 13", "HEX 14", "HEX 15",
        "fix byte 08", "fix byte 09", "fix byte 10", "fix byte 11", "fix byte 12", "fix byte 13",
        "fix byte 14", "fix byte 15", "Edit Page 2", "Lock Page 2"}},
      {"Pages 3-17", {"Write Pages 3-17", "Counter Page", "Alignment", "Counter Value"}},
      {"Page 17",
       {"HEX 128", "HEX 129", "HEX 130", "HEX 131", "HEX 132", "HEX 133", "HEX 134", "HEX 135",
        "Edit Page 17", "Lock Page 17"}},
      {"Log", {"Log", "file name"}}};
  for (const auto& [section, expected] : keys) {
    EXPECT_EQ(KeysOfSection(text, section), expected) << section;
  }
  EXPECT_EQ(KeysOfSection(text, "Page 1").front(), "HEX 00");
  EXPECT_EQ(KeysOfSection(text, "Page 1")[8], "fix byte 00");

  for (const char* line : {"Quorvi=1\r\n", "TI=0\r\n", "HEX 135=41\r\n", "fix byte 15=1\r\n",
                           "Part number=\" P 100 \"\r\n", "Counter Value=00000042\r\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line;
  }
}

TEST_F(SetFileTest, MainWindowLoadTakesEveryKeyAndDerivesTheCharacters) {
  const ConfigurationSet saved = SampleSet();
  ASSERT_TRUE(SaveSetFile(PathOf("Lot.ini"), saved).ok());
  ConfigurationSet loaded;
  ASSERT_TRUE(LoadSetFile(PathOf("Lot.ini"), SetLoad::MainWindow, loaded).ok());

  EXPECT_EQ(loaded.partNumber, " P 100 ");
  EXPECT_EQ(loaded.carrierId, "1000");
  EXPECT_EQ(loaded.counterValue, "00000042");
  EXPECT_EQ(loaded.byteHex, saved.byteHex);
  EXPECT_EQ(loaded.byteAscii[0], "NUL");
  EXPECT_EQ(loaded.byteAscii[135], "A");
  EXPECT_EQ(loaded.fixByte, saved.fixByte);
  EXPECT_EQ(loaded.editPage, saved.editPage);
  EXPECT_EQ(loaded.lockPage, saved.lockPage);
  EXPECT_TRUE(loaded.sourceCsv && loaded.lockCarrierId && loaded.typeQuorvi && loaded.log &&
              loaded.writePages3To17);
  EXPECT_FALSE(loaded.sourceDecimalCounter || loaded.typeTi);
  EXPECT_EQ(loaded.logFile, "/data/Torvane.xml");
}

TEST_F(SetFileTest, DialogLoadKeepsItsRunningValues) {
  ASSERT_TRUE(SaveSetFile(PathOf("Lot.ini"), SampleSet()).ok());
  ConfigurationSet inDialog;
  inDialog.carrierId = "77";
  inDialog.counterValue = "00000009";
  inDialog.quantity = "1";
  ASSERT_TRUE(LoadSetFile(PathOf("Lot.ini"), SetLoad::Dialog, inDialog).ok());
  EXPECT_EQ(inDialog.carrierId, "77");
  EXPECT_EQ(inDialog.counterValue, "00000009");
  EXPECT_EQ(inDialog.quantity, "50");
  EXPECT_EQ(inDialog.alignment, "Right");
}

TEST_F(SetFileTest, OnlyOneReadsAsSet) {
  const std::vector<std::pair<std::string, bool>> flags = {
      {"1", true},   {" 1 ", true},  {"\"1\"", true}, {"0", false},  {"true", false},
      {"01", false}, {"1.0", false}, {"", false},     {"yes", false}};
  for (const auto& [text, expected] : flags) {
    WriteFile("Flags.ini", "[Log]\nLog=" + text + "\n");
    ConfigurationSet set;
    set.log = !expected;
    LoadSetFile(PathOf("Flags.ini"), SetLoad::MainWindow, set);
    EXPECT_EQ(set.log, expected) << "\"" << text << "\"";
  }
  ConfigurationSet missing;
  missing.log = true;
  EXPECT_TRUE(LoadSetFile(PathOf("None.ini"), SetLoad::MainWindow, missing).ok());
  EXPECT_FALSE(missing.log);
}

TEST_F(SetFileTest, WindowsWrittenFileReadsAlike) {
  WriteFile("Win.ini",
            "[work order setup]\r\noperator badge id# = 0815 \r\n"
            "[PAGE 1]\r\nhex 00=54\r\nHEX 01=41\r\nFIX BYTE 00=1\r\nedit page 1=1\r\n"
            "[Pages 3-17]\r\nalignment=Left\r\n"
            "[Log]\r\nfile name=C:\\Torvane.xml\r\n\r\n[Page 17]\r\nHex 135=7e");
  ConfigurationSet set;
  ASSERT_TRUE(LoadSetFile(PathOf("Win.ini"), SetLoad::MainWindow, set).ok());
  EXPECT_EQ(set.operatorBadge, "0815");
  EXPECT_EQ(set.byteAscii[0] + set.byteAscii[1], "TA");
  EXPECT_EQ(set.byteHex[135], "7e");
  EXPECT_EQ(set.byteAscii[135], "~");
  EXPECT_TRUE(set.fixByte[0] && set.editPage[0]);
  EXPECT_EQ(set.alignment, "Left");
  EXPECT_EQ(set.logFile, "C:\\Torvane.xml");
  // A byte without its key is zero, as the dialog shows it.
  EXPECT_EQ(set.byteHex[2], "00");
  EXPECT_EQ(set.byteAscii[2], "NUL");
}

TEST_F(SetFileTest, WindowsTextsReadDecodedAndKeepTheirBytesUnlessChanged) {
  const std::string part =
      "Pr\xFC"
      "fteil";
  WriteFile("Win.ini", "[Work order Setup]\r\nPart number=" + part +
                           "\r\nOperator badge ID#=M\xFC"
                           "ller\r\n");
  ConfigurationSet set;
  ASSERT_TRUE(LoadSetFile(PathOf("Win.ini"), SetLoad::MainWindow, set).ok());
  EXPECT_EQ(set.partNumber,
            "Pr\xC3\xBC"
            "fteil");
  EXPECT_EQ(set.operatorBadge,
            "M\xC3\xBC"
            "ller");
  set.operatorBadge =
      "M\xC3\xBC"
      "ller 2";
  ASSERT_TRUE(SaveSetFile(PathOf("Win.ini"), set).ok());
  const std::string text = ReadFile("Win.ini");
  EXPECT_NE(text.find("Part number=" + part + "\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Operator badge ID#=M\xC3\xBC"
                      "ller 2\r\n"),
            std::string::npos)
      << text;
}

TEST_F(SetFileTest, ExistingFileIsUpdatedInPlaceAndKeepsUnknownKeys) {
  WriteFile("Lot.ini",
            "; made by hand\r\n[Log]\r\nFILE NAME=old.xml\r\nRemark=keep me\r\n"
            "[Station]\r\nOwner=line 3\r\n");
  ASSERT_TRUE(SaveSetFile(PathOf("Lot.ini"), SampleSet()).ok());
  const std::string text = ReadFile("Lot.ini");
  EXPECT_TRUE(
      text.starts_with("; made by hand\r\n[Log]\r\nFILE NAME=/data/Torvane.xml\r\n"
                       "Remark=keep me\r\nLog=1\r\n[Station]\r\nOwner=line 3\r\n"
                       "[Work order Setup]\r\n"))
      << text;
}

TEST_F(SetFileTest, UnusableFileIsReportedAndLeftAlone) {
  std::filesystem::create_directory(PathOf("Dir.ini"));
  ConfigurationSet set;
  set.quantity = "5";
  EXPECT_FALSE(LoadSetFile(PathOf("Dir.ini"), SetLoad::MainWindow, set).ok());
  EXPECT_EQ(set.quantity, "");
  EXPECT_FALSE(SaveSetFile(PathOf("Dir.ini"), SampleSet()).ok());
  EXPECT_FALSE(SaveSetFile(PathOf("gone/Lot.ini"), SampleSet()).ok());
}

// A name that climbs out of the working directory opens nothing there.
TEST_F(SetFileTest, UnusableNameOpensNoFile) {
  std::filesystem::create_directory(directory / "work");
  WriteFile("x.ini", "[Work order Setup]\nQuantity=3\n");
  ConfigurationSet refused;
  refused.quantity = "9";
  refused.carrierId = "12";
  EXPECT_FALSE(
      LoadConfigurationSet((directory / "work").string(), "../x", SetLoad::Dialog, refused).ok());
  EXPECT_EQ(refused.quantity, "");
  EXPECT_EQ(refused.carrierId, "12");
}

}  // namespace
}  // namespace torvane
