#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace torvane::sim {

struct SimOptions {
  int timingValue = 10;                    // the answer to "TOR"
  bool empty = false;                      // start with no transponder on the antenna
  bool swapAfterLock = false;              // a "TOR" after a lock brings a fresh transponder
  std::chrono::milliseconds swapDelay{0};  // a fresh transponder this long after a lock; 0: never
  std::uint32_t firstUid = 0xE0040001;  // UIDs are this number and its successors in 8 hex digits
  std::chrono::milliseconds answerLatency{0};
  std::chrono::milliseconds writeTime{0};  // added to the answer of a page write
  std::chrono::milliseconds lockTime{0};   // added to the answer of a page lock
  std::uint32_t paceBaud = 0;              // 0: bytes travel at once; else 10 bit times per byte
  std::string statePath;                   // JSON of every transponder, rewritten on each change
  std::string logPath;  // received commands and sent answers with monotonic times
  // A symbolic link to the device, removed when the line hangs up or the
  // simulator ends: the device number goes back to the system then, and a
  // station that opens it again by the old name would meet another terminal.
  std::string linkPath;
};

}  // namespace torvane::sim
