#include "config/loaded_set.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "config/counter_page_number.h"
#include "config/data_source.h"

namespace torvane {

namespace {

constexpr std::string_view kNone = "None";
constexpr std::array<std::string_view, 3> kAlignments = {kNone, "Left", "Right"};

}  // namespace

void FitLoadedSetToDialog(ConfigurationSet& set) {
  if (SourceOf(set) != DataSource::DecimalCounter) set.lockCarrierId = false;
  set.typeTi = !set.typeQuorvi;
  if (set.counterPage != kNone && !CounterPageNumber(set.counterPage)) {
    set.counterPage = kNone;
  }
  if (std::find(kAlignments.begin(), kAlignments.end(), set.alignment) == kAlignments.end()) {
    set.alignment = kNone;
  }
}

}  // namespace torvane
