#include "platform/profile.h"

#include <initializer_list>
#include <optional>

#include "platform/atomic_file.h"
#include "platform/profile_line.h"
#include "platform/regular_file.h"

namespace torvane {

namespace {

// Index of the first "[section]" line.
std::optional<std::size_t> FindSection(const std::vector<std::string>& lines,
                                       std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto name = ProfileSectionName(lines[i]);
    if (name && ProfileNamesEqual(*name, section)) return i;
  }
  return std::nullopt;
}

// Where a key of the section at `header` stands, or where a new one belongs:
// right after the section's last entry, ahead of any blank lines that follow it.
struct KeyPlace {
  std::size_t line;
  bool found;
};

KeyPlace FindKey(const std::vector<std::string>& lines, std::size_t header, std::string_view key) {
  KeyPlace place{header + 1, false};
  for (std::size_t i = header + 1; i < lines.size() && !ProfileSectionName(lines[i]); ++i) {
    const auto entry = ProfileEntryOf(lines[i]);
    if (!entry) continue;
    if (ProfileNamesEqual(entry->key, key)) return {i, true};
    place.line = i + 1;
  }
  return place;
}

// A line break would end the entry early and turn the rest into lines of its
// own, and a NUL byte ends a text: a name or value is kept up to the first.
std::string_view LineText(std::string_view text) {
  return text.substr(0, text.find_first_of(std::string_view("\0\r\n", 3)));
}

// Built by appending: GCC 12 warns falsely about operator+ chains on views.
std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) text.append(part);
  return text;
}

}  // namespace

Result<ProfileFile> ProfileFile::Load(const std::string& path) {
  auto contents = ReadRegularFileIfPresent(path);
  if (!contents.ok()) return Result<ProfileFile>::Failure("Cannot read " + contents.error);
  ProfileFile profile;
  profile.path_ = path;
  if (contents.value) profile.lines_ = SplitProfileLines(*contents.value);
  return Result<ProfileFile>::Success(std::move(profile));
}

std::string ProfileFile::Read(std::string_view section, std::string_view key,
                              std::size_t maxLength) const {
  const auto header = FindSection(lines_, section);
  if (!header) return {};
  const KeyPlace place = FindKey(lines_, *header, key);
  if (!place.found) return {};
  return std::string(ProfileEntryOf(lines_[place.line])->value.substr(0, maxLength));
}

bool ProfileFile::Has(std::string_view section, std::string_view key) const {
  const auto header = FindSection(lines_, section);
  return header && FindKey(lines_, *header, key).found;
}

void ProfileFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  section = LineText(section);
  key = LineText(key);
  value = LineText(value);
  const auto header = FindSection(lines_, section);
  if (!header) {
    lines_.push_back(Joined({"[", section, "]"}));
    lines_.push_back(Joined({key, "=", value}));
    return;
  }
  const KeyPlace place = FindKey(lines_, *header, key);
  if (place.found) {
    // The entry keeps the spelling of its key, as Windows does.
    lines_[place.line] = Joined({ProfileEntryOf(lines_[place.line])->key, "=", value});
  } else {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(place.line),
                  Joined({key, "=", value}));
  }
}

Status ProfileFile::Save() const {
  std::string text;
  for (const std::string& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return WriteFileAtomically(path_, text);
}

}  // namespace torvane
