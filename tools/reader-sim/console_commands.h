#pragma once

#include <string>
#include <string_view>

#include "reader_simulator.h"

namespace torvane::sim {

// The operator's commands on standard input, one per line, e.g. "place",
// "show", "nak 3". Each returns the text to print.
class ConsoleCommands {
 public:
  explicit ConsoleCommands(ReaderSimulator& simulator) : simulator_(simulator) {}

  // The reply to one command line; an unknown or malformed command gets a
  // message that says so.
  std::string Execute(std::string_view line);
  bool quitRequested() const { return quitRequested_; }

  static std::string HelpText();

 private:
  ReaderSimulator& simulator_;
  bool quitRequested_ = false;
};

}  // namespace torvane::sim
