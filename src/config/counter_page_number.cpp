#include "config/counter_page_number.h"

#include <string>

#include "view/page_geometry.h"

namespace torvane {

std::optional<int> CounterPageNumber(std::string_view counterPage) {
  for (int page = kFirstUserPage; page <= kPageCount; ++page) {
    if (counterPage == std::to_string(page)) return page;
  }
  return std::nullopt;
}

}  // namespace torvane
