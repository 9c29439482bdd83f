#include "platform/profile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace torvane {
namespace {

namespace fs = std::filesystem;

// A settings file as Windows writes it: byte order mark, CR LF, blanks around
// names and values, mixed case, a duplicate section, a trailing blank line
// inside a section and no line end after the last line.
const std::string kWindowsFile =
    "\xEF\xBB\xBF[Interface]\r\n"
    "port = COM3 \r\n"
    "Baudrate=9600\r\n"
    "; parity=Odd\r\n"
    "\r\n"
    "[interface]\r\n"
    "port=COM9\r\n"
    "Parity=Even\r\n"
    "[Data]\r\n"
    "P1=41 42 43 44 45 46 47 48\r\n"
    "Format=1";

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/torvane-profile-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  std::string ReadFile(const std::string& name) const {
    std::ostringstream content;
    content << std::ifstream(PathOf(name), std::ios::binary).rdbuf();
    return content.str();
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  ProfileFile LoadProfile(const std::string& name, const std::string& content) const {
    std::ofstream(PathOf(name), std::ios::binary) << content;
    auto loaded = ProfileFile::Load(PathOf(name));
    EXPECT_TRUE(loaded.ok()) << loaded.error;
    return loaded.value;
  }

  fs::path folder_;
};

TEST_F(ProfileTest, ReadsLikeWindows) {
  struct Case {
    const char* section;
    const char* key;
    const char* expected;
  };
  const Case cases[] = {
      {"Interface", "port", "COM3"},      // blanks around key and value dropped
      {"INTERFACE", "Baudrate", "9600"},  // section matched without case
      {"Interface", "baudrate", "9600"},  // the lower-case name the station writes
      {"Interface", "Parity", ""},        // the duplicate section is never read
      {"Interface", "; parity", ""},      // a comment is no entry
      {"Interface", "Databits", ""},      // missing key
      {"Manual", "port", ""},             // missing section
      {"Data", "P1", "41 42 43 44 45 46 47 48"},
      {"Data", "Format", "1"},  // last line without a line end
  };
  const ProfileFile profile = LoadProfile("Torvane.ini", kWindowsFile);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.section) + "/" + c.key);
    EXPECT_EQ(profile.Read(c.section, c.key), c.expected);
    EXPECT_EQ(profile.Has(c.section, c.key), *c.expected != '\0');
  }
  for (const char* text : {"[A]\nkey=v\n", "[A]\r\nkey=v\r\n", "[A]\rkey=v\r"}) {
    EXPECT_EQ(LoadProfile("ends.ini", text).Read("A", "key"), "v") << text;
  }
  const std::string longValue(300, 'v');
  const ProfileFile tall = LoadProfile("long.ini", "[A]\r\nkey=" + longValue + "\r\n");
  EXPECT_EQ(tall.Read("A", "key"), longValue.substr(0, 259));
  EXPECT_EQ(tall.Read("A", "key", 8), "vvvvvvvv");
}

TEST_F(ProfileTest, WritesInPlaceKeepingEveryOtherLineAndThePermissions) {
  ProfileFile profile = LoadProfile("Torvane.ini", kWindowsFile);
  ASSERT_EQ(chmod(PathOf("Torvane.ini").c_str(), 0640), 0);
  profile.Write("interface", "baudrate", "115200");        // existing key, other spelling
  profile.Write("Interface", "databits", "8");             // new key in a section with a blank tail
  profile.Write("Data", "P2", "00 00 00 00 00 00 00 00");  // after a last line without end
  profile.Write("Manual", "Offset", "0");                  // new section
  ASSERT_TRUE(profile.Save().ok());
  EXPECT_EQ(ReadFile("Torvane.ini"),
            "[Interface]\r\n"
            "port = COM3 \r\n"
            "Baudrate=115200\r\n"
            "databits=8\r\n"
            "; parity=Odd\r\n"
            "\r\n"
            "[interface]\r\n"
            "port=COM9\r\n"
            "Parity=Even\r\n"
            "[Data]\r\n"
            "P1=41 42 43 44 45 46 47 48\r\n"
            "Format=1\r\n"
            "P2=00 00 00 00 00 00 00 00\r\n"
            "[Manual]\r\n"
            "Offset=0\r\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"Torvane.ini"});  // no temporary file left
  struct stat saved {};
  ASSERT_EQ(stat(PathOf("Torvane.ini").c_str(), &saved), 0);
  EXPECT_EQ(saved.st_mode & 0777, 0640u);
}

TEST_F(ProfileTest, RepeatedByteOrderMarkReadsTheSameAfterASave) {
  ProfileFile profile = LoadProfile("twice.ini", "\xEF\xBB\xBF\xEF\xBB\xBF[a]\r\nk=1\r\n");
  EXPECT_EQ(profile.Read("a", "k"), "1");
  ASSERT_TRUE(profile.Save().ok());
  EXPECT_EQ(ReadFile("twice.ini"), "[a]\r\nk=1\r\n");
}

TEST_F(ProfileTest, MissingFileIsCreatedAndALineBreakCannotInjectEntries) {
  auto loaded = ProfileFile::Load(PathOf("new.ini"));
  ASSERT_TRUE(loaded.ok()) << loaded.error;
  EXPECT_EQ(loaded.value.Read("Interface", "port"), "");
  loaded.value.Write("Interface", "port", "ttyUSB0");
  ASSERT_TRUE(loaded.value.Save().ok());
  EXPECT_EQ(ReadFile("new.ini"), "[Interface]\r\nport=ttyUSB0\r\n");

  loaded.value.Write("Interface", "port", "safe\r\n[B]\r\nx=1");
  ASSERT_TRUE(loaded.value.Save().ok());
  auto reloaded = ProfileFile::Load(PathOf("new.ini"));
  ASSERT_TRUE(reloaded.ok());
  EXPECT_EQ(reloaded.value.Read("Interface", "port"), "safe");
  EXPECT_FALSE(reloaded.value.Has("B", "x"));
}

// A NUL byte ends a text, wherever it comes from; the file never holds one.
TEST_F(ProfileTest, NulByteEndsItsTextAndNeverReachesTheFile) {
  using namespace std::string_literals;
  ProfileFile profile = LoadProfile("nul.ini", "[A]\r\nkept=ab\0cd\r\n; note\0\r\n"s);
  EXPECT_EQ(profile.Read("A", "kept"), "ab");
  profile.Write("A", "value", "A\0BCDEFG"s);
  profile.Write("A", "ke\0y"s, "1");
  profile.Write("S\0ection"s, "key", "2");
  ASSERT_TRUE(profile.Save().ok());
  EXPECT_EQ(ReadFile("nul.ini"), "[A]\r\nkept=ab\r\nvalue=A\r\nke=1\r\n; note\r\n[S]\r\nkey=2\r\n");
}

TEST_F(ProfileTest, FailuresCarryTheSystemReasonAndLeaveNoTemporaryFile) {
  fs::create_directory(folder_ / "folder.ini");
  const auto unreadable = ProfileFile::Load(PathOf("folder.ini"));
  EXPECT_FALSE(unreadable.ok());
  EXPECT_NE(unreadable.error.find("a folder, not a regular file"), std::string::npos)
      << unreadable.error;

  struct Case {
    std::string path;
    std::string reason;
  };
  const Case cases[] = {
      {PathOf("missing/Torvane.ini"), "No such file or directory"},
      {PathOf("occupied"), "Is a directory"},
      {"/sys/Torvane.ini", "Permission denied"},  // not even the super-user may add to it
  };
  std::vector<ProfileFile> profiles;
  for (const Case& c : cases) {
    auto loaded = ProfileFile::Load(c.path);
    ASSERT_TRUE(loaded.ok()) << loaded.error;
    loaded.value.Write("A", "k", "1");
    profiles.push_back(loaded.value);
  }
  // A folder takes the place of the second file between loading and saving.
  fs::create_directories(folder_ / "occupied" / "child");
  for (std::size_t i = 0; i < profiles.size(); ++i) {
    const Status saved = profiles[i].Save();
    EXPECT_FALSE(saved.ok()) << cases[i].path;
    EXPECT_NE(saved.error.find(cases[i].reason), std::string::npos) << saved.error;
  }
  EXPECT_EQ(Entries(), (std::vector<std::string>{"folder.ini", "occupied"}));
}

}  // namespace
}  // namespace torvane
