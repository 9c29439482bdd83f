#pragma once

#include <string>

#include "config/set_in_use.h"
#include "production/production_state.h"
#include "transponder/page_state.h"
#include "transponder/reader_state.h"
#include "view/station_view.h"

namespace torvane {

// The parts of the station state that production works on, and the window.
struct ProductionContext {
  StationView& view;
  PageState& pages;
  ReaderState& reader;  // errorCount and the UID of the cycle
  SetInUse& setInUse;
  ProductionState& production;
  std::string& carrierIdMaxText;  // the "max" field
  const std::string& csvDelimiter;
  const std::string& workingDirectory;
};

}  // namespace torvane
