#include "config/file_name_display.h"

#include "platform/ini_text.h"

namespace torvane {

namespace {

constexpr std::size_t kShownEnd = 85;

}  // namespace

std::string ShownFileName(std::string_view fileName) {
  if (CharacterCount(fileName) <= kShownEnd) return std::string(fileName);
  return "..." + std::string(LastCharacters(fileName, kShownEnd));
}

}  // namespace torvane
