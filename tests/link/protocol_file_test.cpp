#include "link/protocol_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <regex>

#include "support/scratch_directory.h"

namespace torvane {
namespace {

using test::ReadWholeFile;
using test::ScratchDirectory;

const std::regex kEntryLine(R"(\d\d/\d\d/\d\d;\d\d:\d\d:\d\d;One\r\n)");

void MakeFileOfSize(const std::string& path, std::int64_t size) {
  test::WriteWholeFile(path, "");
  ASSERT_EQ(truncate(path.c_str(), size), 0);
}

TEST(ProtocolFileTest, FirstEntryInAnEmptyFolderCreatesFileZeroWithOneLine) {
  ScratchDirectory folder;
  ProtocolFile protocol;
  ASSERT_TRUE(protocol.AppendProtocolEntry(folder.path(), "One").ok());
  const std::string content = ReadWholeFile(folder.File("IntProt_0.txt"));
  EXPECT_TRUE(std::regex_match(content, kEntryLine)) << content;
}

TEST(ProtocolFileTest, EveryEntryAddsOneLine) {
  ScratchDirectory folder;
  ProtocolFile protocol;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(protocol.AppendProtocolEntry(folder.path(), "One").ok());
  const std::string content = ReadWholeFile(folder.File("IntProt_0.txt"));
  ASSERT_EQ(content.size(), 3 * 23u);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(std::regex_match(content.substr(i * 23, 23), kEntryLine));
}

TEST(ProtocolFileTest, TheCapDecidesWhichFileIsUsed) {
  struct Case {
    std::int64_t sizeOfFileZero;
    const char* fileUsed;
  } cases[] = {
      {ProtocolFile::kFileCap, "IntProt_0.txt"},  // exactly at the cap: still used
      {ProtocolFile::kFileCap + 1, "IntProt_1.txt"},
  };
  for (const Case& c : cases) {
    ScratchDirectory folder;
    MakeFileOfSize(folder.File("IntProt_0.txt"), c.sizeOfFileZero);
    ProtocolFile protocol;
    ASSERT_TRUE(protocol.AppendProtocolEntry(folder.path(), "One").ok());
    const std::string used = folder.File(c.fileUsed);
    const auto sizeBefore = used == folder.File("IntProt_0.txt") ? c.sizeOfFileZero : 0;
    EXPECT_EQ(static_cast<std::int64_t>(std::filesystem::file_size(used)), sizeBefore + 23)
        << c.fileUsed;
  }
}

TEST(ProtocolFileTest, LaterEntriesOfTheRunGoStraightToTheNextFile) {
  ScratchDirectory folder;
  MakeFileOfSize(folder.File("IntProt_0.txt"), ProtocolFile::kFileCap + 1);
  ProtocolFile protocol;
  ASSERT_TRUE(protocol.AppendProtocolEntry(folder.path(), "One").ok());
  // Even with file 0 emptied in between, the run stays at file 1.
  MakeFileOfSize(folder.File("IntProt_0.txt"), 0);
  ASSERT_TRUE(protocol.AppendProtocolEntry(folder.path(), "One").ok());
  EXPECT_EQ(protocol.protocolFileNumber(), 1);
  EXPECT_EQ(std::filesystem::file_size(folder.File("IntProt_0.txt")), 0u);
  EXPECT_EQ(std::filesystem::file_size(folder.File("IntProt_1.txt")), 46u);
  // A new run starts at 0 again.
  ProtocolFile nextRun;
  ASSERT_TRUE(nextRun.AppendProtocolEntry(folder.path(), "One").ok());
  EXPECT_EQ(std::filesystem::file_size(folder.File("IntProt_0.txt")), 23u);
}

TEST(ProtocolFileTest, AFolderThatIsMissingGivesAMessageNamingTheFile) {
  ScratchDirectory folder;
  ProtocolFile protocol;
  const Status status = protocol.AppendProtocolEntry(folder.File("gone"), "One");
  ASSERT_FALSE(status.ok());
  EXPECT_NE(status.error.find(folder.File("gone/IntProt_0.txt")), std::string::npos)
      << status.error;
  EXPECT_NE(status.error.find("No such file or directory"), std::string::npos) << status.error;
}

}  // namespace
}  // namespace torvane
