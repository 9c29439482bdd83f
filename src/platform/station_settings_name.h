#pragma once

#include <string_view>

namespace torvane {

// The station's settings file is this name with ".ini" in the working
// directory, beside the set files; the settings, the ledger and the set names
// all meet it there.
constexpr std::string_view kStationSettingsName = "Torvane";

}  // namespace torvane
