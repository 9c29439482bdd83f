#pragma once

#include <string>

namespace torvane {

// What the reader operations keep between operations.
struct ReaderState {
  int answerUnit = 160;  // milliseconds; every wait is a multiple of it
  int errorCount = 0;    // failed steps of the operation in progress
  std::string uidText;
  int tiSelected = 1;
  int quorviSelected = 0;
};

}  // namespace torvane
