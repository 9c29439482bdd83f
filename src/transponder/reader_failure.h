#pragma once

#include <string>

namespace torvane {

enum class ReaderFailureKind {
  PortClosed,
  Disconnected,
  NoTransponder,
  Refused,           // an answer other than the good one
  NoAnswer,          // nothing within the wait
  UnusablePageText,  // nothing was sent for the page
  ReadBackDiffers,   // the page holds other bytes than were written
  OtherTransponder,  // the transponder on the antenna is not the one written
};

enum class ReaderStep { Uid, Write, ReadBack, Lock };

// Why a reader operation failed, in enough detail to tell the operator.
struct ReaderFailure {
  ReaderFailureKind kind = ReaderFailureKind::NoAnswer;
  ReaderStep step = ReaderStep::Write;
  int page = 0;            // 1 to 17; 0 for the UID and the port
  std::string found{};     // the reader's answer, the bytes read back, the port's name
  std::string expected{};  // the bytes written, the UID of the cycle
  int tries = 1;
  int waitMilliseconds = 0;         // of the last try, for NoAnswer
  bool writeMayHaveLanded = false;  // a page may hold what a write sent
};

// One line: which step, which page, which answer or timeout.
std::string FailureReason(const ReaderFailure& failure);

}  // namespace torvane
