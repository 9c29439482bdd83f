#include "config/set_name.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "platform/atomic_file.h"

namespace torvane {
namespace {

constexpr std::size_t kLongestName = NAME_MAX - 4 - kTemporaryNameSuffixMax;

TEST(SetName, UsableNamesGiveTheirFileInTheWorkingDirectory) {
  const std::vector<std::pair<std::string, std::string>> names = {
      {"Lot A", "/work/Lot A.ini"},
      {"a.b", "/work/a.b.ini"},
      {"  blank edges ", "/work/  blank edges .ini"},
      {"Pr\xC3\xBC"
       "fset",
       "/work/Pr\xC3\xBC"
       "fset.ini"},
      {"Pr\xFC"
       "fset",
       "/work/Pr\xC3\xBC"
       "fset.ini"},  // written by a Windows station
      {"Torvane 2", "/work/Torvane 2.ini"},
      // The longest name whose temporary file still fits beside it.
      {std::string(kLongestName, 'n'), "/work/" + std::string(kLongestName, 'n') + ".ini"}};
  for (const auto& [name, path] : names) {
    const Result<std::string> result = SetFilePath("/work", name);
    EXPECT_TRUE(result.ok()) << name << ": " << result.error;
    EXPECT_EQ(result.value, path);
  }
  EXPECT_EQ(SetFilePath("/work/", "Lot").value, "/work/Lot.ini");
}

TEST(SetName, NamesThatCannotBeAFileThereAreRefusedWithTheirReason) {
  const std::vector<std::pair<std::string, std::string>> names = {
      {"", "enter a name"},
      {"a/b", "\"/\""},
      {"../up", "\"/\""},
      {"a\\b", "\"\\\""},
      {"..\\up", "\"\\\""},
      {"tab\there", "control characters"},
      {"line\r\nbreak", "control characters"},
      {"del\x7F", "control characters"},
      {"c1\xC2\x85", "control characters"},
      {"c1 from Windows \x81", "control characters"},
      {".", "dot"},
      {"..", "dot"},
      {".hidden", "dot"},
      {std::string(kLongestName + 1, 'n'), "too long"},
      {std::string(NAME_MAX - 4, 'n'), "too long"},
      {"Torvane", "settings file"},
      {"TORVANE", "settings file"},
      {std::string(200, '\xFC'), "too long"}};  // 200 bytes there, 400 as UTF-8
  for (const auto& [name, reason] : names) {
    const Result<std::string> result = SetFilePath("/work", name);
    EXPECT_FALSE(result.ok()) << name;
    EXPECT_TRUE(result.value.empty());
    EXPECT_NE(result.error.find(reason), std::string::npos) << name << ": " << result.error;
  }
  const std::string deep = "/" + std::string(PATH_MAX, 'd');
  EXPECT_NE(SetFilePath(deep, "Lot").error.find("too long"), std::string::npos);
}

}  // namespace
}  // namespace torvane
