#pragma once

#include <string>
#include <string_view>

#include "app/station_state.h"
#include "platform/result.h"

namespace torvane {

// The settings file in the working directory.
std::string StationSettingsPath(std::string_view workingDirectory);

// Reads every setting into the state. A missing file, section or key reads as
// empty text, so the state then holds the empty defaults. When the file exists
// but cannot be read, the state gets the same defaults and the failure is returned.
Status LoadStationSettings(const std::string& path, StationState& state);

// Writes every setting the station keeps, in one atomic save of the file; keys
// the station does not write (defaults set up by hand) stay as they are.
Status SaveStationSettings(const std::string& path, const StationState& state);

// A file name as the window shows it: whole when short, else "..." and its end.
std::string DisplayedFileName(std::string_view fileName);

}  // namespace torvane
