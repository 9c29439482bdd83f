#pragma once

#include <string>
#include <vector>

#include "platform/result.h"

namespace torvane {

// What the station was asked to do on its command line.
struct StationCommandLine {
  enum class Action { kRun, kHelp, kVersion };
  Action action = Action::kRun;
  // Empty: the current folder. A leading "~" stands for the home folder, as
  // the desktop entry passes it unexpanded.
  std::string workingFolder;
};

// The arguments without the program name; home is $HOME (may be empty). A
// failure says which argument is wrong.
Result<StationCommandLine> ParseStationCommandLine(const std::vector<std::string>& arguments,
                                                   const std::string& home);

std::string StationUsageText();
std::string StationVersionText();

// Creates the folder (and its parents) when missing and makes it the current one.
Status EnterWorkingFolder(const std::string& folder);

}  // namespace torvane
