// The INI layer keeps what it writes: on any file as found, every entry written
// reads back (in memory and after a save and a load), and every other entry
// reads as it did before.
#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_support.h"
#include "platform/profile.h"

namespace {

using torvane::ProfileFile;
using Entry = std::pair<std::string, std::string>;  // section and key, lower case

// Names as the station uses them: a few characters, so that names meet often,
// never with the characters that make up the file's syntax or blanks at an end.
std::string NameFrom(FuzzedDataProvider& input) {
  static constexpr char kAlphabet[] = "aAbB1 .\xE4";
  std::string name;
  const std::size_t length = input.ConsumeIntegralInRange<std::size_t>(1, 3);
  for (std::size_t i = 0; i < length; ++i) {
    name += kAlphabet[input.ConsumeIntegralInRange<std::size_t>(0, sizeof kAlphabet - 2)];
  }
  if (name.front() == ' ') name.front() = 'a';
  if (name.back() == ' ') name.back() = 'b';
  return name;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// What a written value reads back as: up to its first line break or NUL,
// without blanks around it.
std::string StoredValue(std::string_view value) {
  value = value.substr(0, value.find_first_of(std::string_view("\0\r\n", 3)));
  const auto first = value.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(value.substr(first, value.find_last_not_of(" \t") - first + 1));
}

struct Name {
  std::string section;
  std::string key;
};

std::map<Entry, std::string> ReadAll(const ProfileFile& profile, const std::vector<Name>& names) {
  std::map<Entry, std::string> values;
  for (const Name& name : names) {
    values[{Lower(name.section), Lower(name.key)}] =
        profile.Read(name.section, name.key, std::string::npos);
  }
  return values;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string& path = torvane::fuzz::ScratchPath();
  torvane::fuzz::WriteWhole(path, input.ConsumeRandomLengthString(2000));
  auto loaded = ProfileFile::Load(path);
  FUZZ_CHECK(loaded.ok());
  ProfileFile profile = std::move(loaded.value);

  // Names written and names only read: both must read as expected afterwards.
  std::vector<Name> names;
  std::vector<std::string> values;
  const int writes = input.ConsumeIntegralInRange(0, 12);
  const int reads = input.ConsumeIntegralInRange(0, 4);
  for (int i = 0; i < writes + reads; ++i) {
    std::string section = NameFrom(input);
    names.push_back({std::move(section), NameFrom(input)});
    if (i < writes) values.push_back(input.ConsumeRandomLengthString(300));
  }
  std::map<Entry, std::string> expected = ReadAll(profile, names);
  for (int i = 0; i < writes; ++i) {
    profile.Write(names[i].section, names[i].key, values[i]);
    expected[{Lower(names[i].section), Lower(names[i].key)}] = StoredValue(values[i]);
  }

  FUZZ_CHECK(ReadAll(profile, names) == expected);
  FUZZ_CHECK(profile.Save().ok());
  auto reloaded = ProfileFile::Load(path);
  FUZZ_CHECK(reloaded.ok());
  FUZZ_CHECK(ReadAll(reloaded.value, names) == expected);
  return 0;
}
