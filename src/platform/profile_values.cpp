#include "platform/profile_values.h"

#include "platform/ini_text.h"

namespace torvane::profile {

namespace {

bool IsQuoted(std::string_view value) {
  return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

bool NeedsQuotes(std::string_view value) {
  if (value.empty()) return false;
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  return isBlank(value.front()) || isBlank(value.back()) || IsQuoted(value);
}

}  // namespace

std::string Read(const ProfileFile& file, std::string_view section, std::string_view key) {
  std::string value = file.Read(section, key, ProfileFile::kMaxValueLength + 2);
  if (IsQuoted(value)) value = value.substr(1, value.size() - 2);
  if (value.size() > ProfileFile::kMaxValueLength) value.resize(ProfileFile::kMaxValueLength);
  return value;
}

void Write(ProfileFile& file, std::string_view section, std::string_view key,
           std::string_view value) {
  if (NeedsQuotes(value)) {
    file.Write(section, key, "\"" + std::string(value) + "\"");
  } else {
    file.Write(section, key, value);
  }
}

std::string ReadText(const ProfileFile& file, std::string_view section, std::string_view key) {
  // Decoded whole: a cut byte sequence would no longer be UTF-8.
  const std::string raw = file.Read(section, key, std::string::npos);
  std::string_view value = raw;
  if (IsQuoted(value)) value = value.substr(1, value.size() - 2);
  return std::string(FirstCharacters(IniTextToUtf8(value), ProfileFile::kMaxValueLength));
}

void WriteText(ProfileFile& file, std::string_view section, std::string_view key,
               std::string_view text) {
  const std::string utf8 = IniTextToUtf8(text);
  if (file.Has(section, key) && ReadText(file, section, key) == utf8) return;
  Write(file, section, key, utf8);
}

bool FlagValue(std::string_view text) {
  return text == "1";
}

std::string_view FlagText(bool set) {
  return set ? "1" : "0";
}

}  // namespace torvane::profile
