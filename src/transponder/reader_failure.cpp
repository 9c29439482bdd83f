#include "transponder/reader_failure.h"

namespace torvane {

namespace {

// Garbage from the line stays readable and on one line.
std::string Printable(const std::string& text) {
  std::string shown;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r' || c == '\n') continue;
    shown += byte >= 0x20 && byte < 0x7F ? c : '?';
  }
  return shown;
}

std::string StepName(const ReaderFailure& failure) {
  const std::string page = "page " + std::to_string(failure.page);
  switch (failure.step) {
    case ReaderStep::Uid:
      return "UID read";
    case ReaderStep::Write:
      return page + " write";
    case ReaderStep::ReadBack:
      return page + " read back";
    case ReaderStep::Lock:
      return page + " lock";
  }
  return page;
}

std::string TriesNote(int tries) {
  return tries > 1 ? " (" + std::to_string(tries) + " tries)" : "";
}

}  // namespace

std::string FailureReason(const ReaderFailure& failure) {
  switch (failure.kind) {
    case ReaderFailureKind::PortClosed:
      return failure.found.empty() ? "port closed" : "port " + failure.found + " closed";
    case ReaderFailureKind::Disconnected:
      return failure.found.empty() ? "reader disconnected"
                                   : "reader disconnected (" + failure.found + ")";
    case ReaderFailureKind::NoTransponder:
      return "no transponder on the antenna (" + StepName(failure) + ": \"" +
             Printable(failure.found) + "\")";
    case ReaderFailureKind::Refused:
      return StepName(failure) + ": the reader answered \"" + Printable(failure.found) + "\"" +
             TriesNote(failure.tries);
    case ReaderFailureKind::NoAnswer:
      return StepName(failure) + ": no answer within " + std::to_string(failure.waitMilliseconds) +
             " ms" + TriesNote(failure.tries);
    case ReaderFailureKind::UnusablePageText:
      return "page " + std::to_string(failure.page) + ": the page text is not valid";
    case ReaderFailureKind::ReadBackDiffers:
      return "page " + std::to_string(failure.page) + " reads back " + failure.found +
             " instead of " + failure.expected;
    case ReaderFailureKind::OtherTransponder:
      if (failure.step == ReaderStep::Uid) {
        return "another transponder on the antenna (UID " + Printable(failure.found) +
               " instead of " + failure.expected + ")";
      }
      return "another transponder on the antenna (page " + std::to_string(failure.page) +
             " holds " + failure.found + " instead of " + failure.expected + ")";
  }
  return "reader failure";
}

}  // namespace torvane
