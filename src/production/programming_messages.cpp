#include "production/programming_messages.h"

#include <cctype>

#include "production/production_messages.h"

namespace torvane {

namespace {

std::string Headline(const ReaderFailure& failure) {
  if (failure.kind == ReaderFailureKind::ReadBackDiffers) return text::kReadBackDiffers;
  if (failure.kind == ReaderFailureKind::OtherTransponder) return text::kOtherTransponder;
  switch (failure.step) {
    case ReaderStep::Uid:
      return text::kUidUnreadable;
    case ReaderStep::Lock:
      return text::kLockError;
    case ReaderStep::Write:
    case ReaderStep::ReadBack:
      break;
  }
  return text::kWriteError;
}

std::string NextStep(const ReaderFailure& failure) {
  switch (failure.kind) {
    case ReaderFailureKind::PortClosed:
      return "Open the port in \"Interface > Settings\", then press \"One\" again.";
    case ReaderFailureKind::Disconnected:
      return "Check the reader's cable. The station opens the port again by itself when the "
             "reader is back; then press \"One\" again.";
    case ReaderFailureKind::NoTransponder:
      return "Put a transponder on the antenna and press \"One\" again.";
    case ReaderFailureKind::UnusablePageText:
      return "Correct the page text, then press \"One\" again.";
    case ReaderFailureKind::ReadBackDiffers:
      return "Nothing was locked. Put this transponder aside and program a new one.";
    case ReaderFailureKind::OtherTransponder:
      return "The transponder was taken away during the cycle: it is not counted. Check both "
             "transponders, put one back and press \"One\" again.";
    case ReaderFailureKind::Refused:
      if (failure.step == ReaderStep::Write && failure.tries > 1) {
        return "Page " + std::to_string(failure.page) +
               " refused every try: the transponder is locked. Put a blank transponder on the "
               "antenna and press \"One\" again.";
      }
      break;
    case ReaderFailureKind::NoAnswer:
      break;
  }
  return "Check that the transponder lies on the antenna, is of the type chosen and is not "
         "locked, and that the reader is on; then press \"One\" again.";
}

}  // namespace

std::string ProgrammingFailureMessage(const ReaderFailure& failure) {
  std::string cause = FailureReason(failure);
  if (!cause.empty())
    cause[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(cause[0])));
  return Headline(failure) + "\r\n" + cause + ".\r\n" + NextStep(failure);
}

}  // namespace torvane
