#include "app/station_start.h"

#include <cstdlib>
#include <iostream>

#include "app/station_app.h"
#include "app/station_command_line.h"

namespace torvane {

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

}  // namespace

int StartStation(int argc, char** argv) {
  const char* home = std::getenv("HOME");
  const Result<StationCommandLine> parsed =
      ParseStationCommandLine({argv + 1, argv + argc}, home != nullptr ? home : "");
  if (!parsed.ok()) {
    std::cerr << "torvane: " << parsed.error << "\nTry 'torvane --help' for the options.\n";
    return kExitUsage;
  }
  switch (parsed.value.action) {
    case StationCommandLine::Action::kHelp:
      std::cout << StationUsageText();
      return 0;
    case StationCommandLine::Action::kVersion:
      std::cout << StationVersionText();
      return 0;
    case StationCommandLine::Action::kRun:
      break;
  }
  if (!parsed.value.workingFolder.empty()) {
    const Status entered = EnterWorkingFolder(parsed.value.workingFolder);
    if (!entered.ok()) {
      std::cerr << "torvane: cannot use the working folder " << entered.error << '\n';
      return kExitFailure;
    }
  }
  // The station's own options are read; Qt gets none of them.
  int qtArgc = 1;
  StationApp app(qtArgc, argv);
  return app.Run();
}

}  // namespace torvane
