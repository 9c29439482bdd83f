#include "config/file_name_display.h"

namespace torvane {

namespace {

constexpr std::size_t kShownEnd = 85;

}  // namespace

std::string ShownFileName(std::string_view fileName) {
  if (fileName.size() <= kShownEnd) return std::string(fileName);
  std::size_t start = fileName.size() - kShownEnd;
  // Never from the middle of a UTF-8 character.
  while (start < fileName.size() && (static_cast<unsigned char>(fileName[start]) & 0xC0) == 0x80) {
    ++start;
  }
  return "..." + std::string(fileName.substr(start));
}

}  // namespace torvane
