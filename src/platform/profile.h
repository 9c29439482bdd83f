#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace torvane {

// An INI file with the semantics of the Windows private-profile services:
// case-insensitive section and key names, the first match wins, missing entries
// read as empty text, writes update in place and keep every other line.
// The file is loaded once, edited in memory and saved once, atomically.
class ProfileFile {
 public:
  // Reads the file; a missing file gives an empty profile (not an error).
  static Result<ProfileFile> Load(const std::string& path);

  // The value of section/key, cut to `maxLength` characters (259 for the
  // station's 260-character buffers); empty when missing.
  std::string Read(std::string_view section, std::string_view key,
                   std::size_t maxLength = kMaxValueLength) const;
  bool Has(std::string_view section, std::string_view key) const;
  void Write(std::string_view section, std::string_view key, std::string_view value);

  // Writes the whole file to a temporary file in the same folder and renames it
  // over the original, with CR LF line ends.
  Status Save() const;
  const std::string& path() const { return path_; }

  static constexpr std::size_t kMaxValueLength = 259;

 private:
  std::string path_;
  std::vector<std::string> lines_;
};

}  // namespace torvane
