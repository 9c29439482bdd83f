#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "support/scratch_directory.h"

namespace torvane {
namespace {

TEST(AtomicFileTest, OnlyTheTemporariesOfASaveThatEndedAreRemovedAtTheNextStart) {
  test::ScratchDirectory folder;
  const std::string ended = "2147483646";  // above any process ID the kernel hands out
  const std::string running = std::to_string(getpid());
  const std::vector<std::string> removed = {"Torvane.ini." + ended + ".0.tmp",
                                            "Line1.ini." + ended + ".17.tmp"};
  const std::vector<std::string> kept = {
      "Torvane.ini." + running + ".3.tmp",  // a save of a station that still runs
      "notes.tmp",
      "a.1.tmp",
      "a." + ended + ".x.tmp",
      "a." + ended + ".1.tmp.bak",
      "Torvane.ini"};
  for (const auto& name : removed) folder.Write(name, "x");
  for (const auto& name : kept) folder.Write(name, "x");
  std::filesystem::create_directory(folder.File("dir." + ended + ".2.tmp"));

  std::vector<std::string> gone = RemoveLeftoverTemporaries(folder.path());
  std::sort(gone.begin(), gone.end());
  EXPECT_EQ(gone, (std::vector<std::string>{removed[1], removed[0]}));
  for (const auto& name : removed) EXPECT_FALSE(folder.Exists(name)) << name;
  for (const auto& name : kept) EXPECT_TRUE(folder.Exists(name)) << name;
  EXPECT_TRUE(folder.Exists("dir." + ended + ".2.tmp"));
}

}  // namespace
}  // namespace torvane
