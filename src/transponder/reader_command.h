#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace torvane {

// One command line of the reader with how long to wait for its answer, how much
// of the answer counts, and the line it leaves in the terminal pane.
struct ReaderCommand {
  std::string text;   // ends with the CR the reader expects
  int waitUnits = 0;  // the longest wait, in units of ReaderState::answerUnit
  std::size_t keptLength = std::string::npos;
  // Put in front of the terminal text after a successful send, followed later
  // by the kept answer. Without it neither the command nor its answer is shown.
  std::optional<std::string> record;

  static ReaderCommand Calibration();
  static ReaderCommand ReadUid();
  static ReaderCommand ReadPage(int page);
  // `digits`: the page's 8 bytes as 16 hexadecimal digits, first byte first.
  static ReaderCommand WritePage(int page, std::string_view digits);
  static ReaderCommand LockPage(int page);
};

}  // namespace torvane
