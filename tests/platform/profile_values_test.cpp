#include "platform/profile_values.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace torvane {
namespace {

namespace fs = std::filesystem;

const std::string kWindowsName =
    "Pr\xFC"
    "fset";  // Windows-1252
const std::string kUtf8Name =
    "Pr\xC3\xBC"
    "fset";  // the same name in UTF-8
const std::string kUtf8Umlaut = "\xC3\xBC";

class ProfileValuesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "torvane-profile-values-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
    path_ = (directory_ / "values.ini").string();
  }
  void TearDown() override { fs::remove_all(directory_); }

  ProfileFile Load(const std::string& content) {
    std::ofstream(path_, std::ios::binary) << content;
    return ProfileFile::Load(path_).value;
  }
  std::string SavedBytes(const ProfileFile& file) {
    EXPECT_TRUE(file.Save().ok());
    std::ostringstream bytes;
    bytes << std::ifstream(path_, std::ios::binary).rdbuf();
    return bytes.str();
  }

  fs::path directory_;
  std::string path_;
};

TEST_F(ProfileValuesTest, TextIsDecodedAndCutByCharactersBytesStayAsTheyAre) {
  struct Row {
    const char* name;
    std::string value;  // as it stands in the file
    std::string text, bytes;
  };
  std::string utf8Long, utf8Cut, windowsLong, windowsCut;
  for (int i = 0; i < 300; ++i) utf8Long += kUtf8Umlaut;
  for (int i = 0; i < 259; ++i) utf8Cut += kUtf8Umlaut;
  windowsLong.assign(300, '\xFC');
  windowsCut.assign(259, '\xFC');
  const Row rows[] = {
      {"windows", kWindowsName, kUtf8Name, kWindowsName},
      {"utf-8", kUtf8Name, kUtf8Name, kUtf8Name},
      {"quoted blanks", "\" Lot \"", " Lot ", " Lot "},
      {"long utf-8", utf8Long, utf8Cut, utf8Long.substr(0, 259)},
      {"long windows", windowsLong, utf8Cut, windowsCut},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const ProfileFile file = Load("[A]\r\nkey=" + row.value + "\r\n");
    EXPECT_EQ(profile::ReadText(file, "A", "key"), row.text);
    EXPECT_EQ(profile::Read(file, "A", "key"), row.bytes);
  }
}

TEST_F(ProfileValuesTest, TextIsWrittenBackAsItWasReadAndChangedTextInUtf8) {
  ProfileFile file = Load("[A]\r\nsame=" + kWindowsName + "\r\nchanged=" + kWindowsName +
                          "\r\nlong=" + std::string(300, 'v') + "\r\n");
  profile::WriteText(file, "A", "same", profile::ReadText(file, "A", "same"));
  profile::WriteText(file, "A", "changed", kUtf8Name + "2");
  profile::WriteText(file, "A", "long", profile::ReadText(file, "A", "long"));
  profile::WriteText(file, "A", "empty", "");
  profile::WriteText(file, "A", "blanks", " x ");
  profile::WriteText(file, "A", "raw",
                     kWindowsName);  // bytes handed in are read as a file's would be
  profile::Write(file, "A", "page", "\xFC \xFC ");
  EXPECT_EQ(SavedBytes(file), "[A]\r\nsame=" + kWindowsName + "\r\nchanged=" + kUtf8Name +
                                  "2\r\nlong=" + std::string(300, 'v') +
                                  "\r\nempty=\r\nblanks=\" x \"\r\nraw=" + kUtf8Name +
                                  "\r\npage=\"\xFC \xFC \"\r\n");
}

}  // namespace
}  // namespace torvane
