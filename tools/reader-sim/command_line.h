#pragma once

#include <string>
#include <vector>

#include "platform/result.h"
#include "sim_options.h"

namespace torvane::sim {

// What the program was asked to do on its command line.
struct CommandLine {
  SimOptions options;
  bool help = false;
  // Faults given as options, as the console commands that set them up.
  std::vector<std::string> consoleCommands;
};

// The arguments without the program name. A failure says which argument is wrong.
Result<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments);

std::string UsageText();

}  // namespace torvane::sim
