#include "app/station_command_line.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/scratch_directory.h"

namespace torvane {
namespace {

using Action = StationCommandLine::Action;

TEST(StationCommandLineTest, ArgumentsTakenOrRefusedWithTheirReason) {
  struct Case {
    std::vector<std::string> arguments;
    std::string home;
    Action action;
    std::string folder;
    std::string error;  // a part of the failure's text; empty when the line is valid
  };
  const Case cases[] = {
      {{}, "/home/op", Action::kRun, "", ""},
      {{"--workdir", "/srv/station"}, "/home/op", Action::kRun, "/srv/station", ""},
      {{"--workdir=relative/dir"}, "/home/op", Action::kRun, "relative/dir", ""},
      // The desktop entry passes ~ unexpanded.
      {{"--workdir", "~/Torvane"}, "/home/op", Action::kRun, "/home/op/Torvane", ""},
      {{"--workdir", "~"}, "/home/op", Action::kRun, "/home/op", ""},
      {{"--workdir", "~other/x"}, "/home/op", Action::kRun, "~other/x", ""},
      {{"--workdir", "~/Torvane"}, "", Action::kRun, "", "HOME is not set"},
      {{"--help", "--workdir", "/x"}, "", Action::kHelp, "/x", ""},
      {{"--version", "-h"}, "", Action::kHelp, "", ""},
      {{"--version"}, "", Action::kVersion, "", ""},
      {{"--workdir"}, "", Action::kRun, "", "--workdir needs a folder"},
      {{"--workdir="}, "", Action::kRun, "", "--workdir needs a folder"},
      {{"--verbose"}, "", Action::kRun, "", "unknown option '--verbose'"},
      {{"Demo.ini"}, "", Action::kRun, "", "unknown option 'Demo.ini'"},
      {{"--help", "--frobnicate"}, "", Action::kRun, "", "unknown option '--frobnicate'"},
  };
  for (const Case& c : cases) {
    const std::string shown = ::testing::PrintToString(c.arguments);
    const Result<StationCommandLine> parsed = ParseStationCommandLine(c.arguments, c.home);
    if (!c.error.empty()) {
      EXPECT_NE(parsed.error.find(c.error), std::string::npos) << shown << ": " << parsed.error;
      continue;
    }
    ASSERT_TRUE(parsed.ok()) << shown << ": " << parsed.error;
    EXPECT_EQ(parsed.value.action, c.action) << shown;
    EXPECT_EQ(parsed.value.workingFolder, c.folder) << shown;
  }
}

TEST(StationCommandLineTest, WorkingFolderCreatedAndEnteredOrRefusedWithTheSystemsReason) {
  test::ScratchDirectory scratch;
  ASSERT_TRUE(scratch.valid());
  scratch.Write("file", "x");
  const std::filesystem::path before = std::filesystem::current_path();
  struct Case {
    std::string folder;
    std::string error;
  };
  const Case cases[] = {
      {scratch.File("new/nested"), ""},
      {scratch.File("new"), ""},
      {scratch.File("file"), scratch.File("file") + ": Not a directory"},
      {scratch.File("file/below"), scratch.File("file/below") + ": Not a directory"},
  };
  for (const Case& c : cases) {
    const Status entered = EnterWorkingFolder(c.folder);
    if (c.error.empty()) {
      ASSERT_TRUE(entered.ok()) << c.folder << ": " << entered.error;
      EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(c.folder));
    } else {
      EXPECT_FALSE(entered.ok()) << c.folder;
      EXPECT_EQ(entered.error.rfind(c.error, 0), 0u) << c.folder << ": " << entered.error;
    }
    std::filesystem::current_path(before);
  }
}

}  // namespace
}  // namespace torvane
