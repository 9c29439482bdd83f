#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/scratch_directory.h"

namespace torvane::test {

// A scratch working directory for set files.
class SetDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scratch_.valid());
    directory = scratch_.path();
  }

  std::string PathOf(const std::string& fileName) const { return scratch_.File(fileName); }
  void WriteFile(const std::string& fileName, const std::string& text) const {
    scratch_.Write(fileName, text);
  }
  std::string ReadFile(const std::string& fileName) const { return scratch_.Read(fileName); }
  std::vector<std::string> FileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  std::filesystem::path directory;

 private:
  ScratchDirectory scratch_;
};

}  // namespace torvane::test
