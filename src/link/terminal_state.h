#pragma once

#include <string>

namespace torvane {

struct TerminalState {
  bool terminalShown = false;
  std::string terminalInput;
  std::string terminalOutput;  // lines ending in CR LF, newest first
};

}  // namespace torvane
