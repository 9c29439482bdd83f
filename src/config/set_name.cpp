#include "config/set_name.h"

#include <cctype>
#include <climits>
#include <optional>

#include "platform/atomic_file.h"
#include "platform/ini_text.h"
#include "platform/station_settings_name.h"

namespace torvane {

namespace {

constexpr std::string_view kEnding = ".ini";
// A save writes a temporary file beside the set's file, whose name is longer.
constexpr std::size_t kLongestName = NAME_MAX - kEnding.size() - kTemporaryNameSuffixMax;

bool IsSettingsFileName(std::string_view name) {
  if (name.size() != kStationSettingsName.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(name[i])) !=
        std::tolower(static_cast<unsigned char>(kStationSettingsName[i]))) {
      return false;
    }
  }
  return true;
}

bool HasControlCharacter(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x20 || byte == 0x7F) return true;
    // U+0080 to U+009F, the C1 controls, are 0xC2 0x80 to 0xC2 0x9F.
    if (byte == 0xC2 && i + 1 < utf8.size()) {
      const auto next = static_cast<unsigned char>(utf8[i + 1]);
      if (next >= 0x80 && next <= 0x9F) return true;
    }
  }
  return false;
}

std::optional<std::string> NameProblem(std::string_view name) {
  if (name.empty()) return "Please enter a name for the configuration set.";
  if (name.find_first_of("/\\") != std::string_view::npos) {
    return "The name of a configuration set must not contain \"/\" or \"\\\".";
  }
  if (HasControlCharacter(name)) {
    return "The name of a configuration set must not contain control characters.";
  }
  if (name.front() == '.') return "The name of a configuration set must not begin with a dot.";
  if (name.size() > kLongestName) return "The name of the configuration set is too long.";
  // Even where the file system ignores case, a set never replaces the settings.
  if (IsSettingsFileName(name)) {
    return "\"" + std::string(kStationSettingsName) +
           "\" is the name of the station's settings file. Please choose another name.";
  }
  return std::nullopt;
}

}  // namespace

Result<std::string> SetFilePath(std::string_view workingDirectory, std::string_view name) {
  const std::string utf8Name = IniTextToUtf8(name);
  if (auto problem = NameProblem(utf8Name)) return Result<std::string>::Failure(*problem);
  std::string path(workingDirectory);
  if (!path.empty() && path.back() != '/') path.push_back('/');
  path += utf8Name;
  path += kEnding;
  if (path.size() >= PATH_MAX) {
    return Result<std::string>::Failure(
        "The path of the configuration set file is too long. Please choose a shorter name.");
  }
  return Result<std::string>::Success(std::move(path));
}

}  // namespace torvane
