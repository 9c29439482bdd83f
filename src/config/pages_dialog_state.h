#pragma once

#include <array>
#include <string>

#include "config/configuration_set.h"
#include "transponder/page_codec.h"

namespace torvane {

// What the pages 3-17 dialog works on. Index i is byte i (0-135) or page i + 1.
struct PagesDialogState {
  std::array<std::string, kMemoryBytes> displayed;  // what a byte's field shows
  std::array<std::string, kMemoryBytes> hex;        // two hexadecimal digits
  std::array<std::string, kMemoryBytes> chars;      // one character, "NUL" for 0
  PageForm form = PageForm::Hex;
  std::array<bool, kPageCount> editPage{};
  std::array<bool, kPageCount> lockPage{};
  std::string counterPage;  // "None" or "3" to "17"
  std::string counterValue;
};

}  // namespace torvane
