#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace torvane::test {

// A scratch working directory for set files.
class SetDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "torvane-sets-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(directory); }

  std::string PathOf(const std::string& fileName) const { return (directory / fileName).string(); }
  void WriteFile(const std::string& fileName, const std::string& text) const {
    std::ofstream(PathOf(fileName), std::ios::binary) << text;
  }
  std::string ReadFile(const std::string& fileName) const {
    std::ifstream in(PathOf(fileName), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::vector<std::string> FileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

  std::filesystem::path directory;
};

}  // namespace torvane::test
