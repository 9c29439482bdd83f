#pragma once

// The operator messages of production (caption "Torvane").
namespace torvane::text {

constexpr const char* kCaption = "Torvane";
constexpr const char* kNoCsvAccess = "No access to csv file.";
constexpr const char* kCsvWrongFormat =
    "Next Carrier ID has the wrong format. Check the used csv file.";
constexpr const char* kErrorInLine = "\r\n Error in line: ";
constexpr const char* kEndOfFile = "End of file.";
constexpr const char* kQuantityReached = "Quantity reached.";
constexpr const char* kWrongCarrierIdFormat = "Wrong Carrier ID format.";
constexpr const char* kWriteError = "Error on writing the pages of the transponder.";
constexpr const char* kLockError = "Error on locking the pages of the transponder.";
constexpr const char* kUidUnreadable =
    "UID can't be read. No or defect transponder on Antenna or wrong transponder type chosen.";
constexpr const char* kReadBackDiffers = "The transponder does not hold what was written.";
constexpr const char* kOtherTransponder =
    "The transponder on the antenna changed during the cycle.";
constexpr const char* kRecordFileFailure =
    "Protocol file can't be opened.\r\nDoes the protocol path exist?\r\nDo you have writing "
    "authorisation on the path?";
constexpr const char* kContOn = "  Cont On";
constexpr const char* kContOff = "  Cont Off";
constexpr const char* kRunNeedsThePort =
    "The reader's port is closed: a continuous run needs the reader.\r\nOpen the port in "
    "\"Interface\" > \"Settings\", then press \"Cont On\" again.";
constexpr const char* kReaderSilentInRun =
    "The reader gives no answer when asked which transponder lies on the antenna: the "
    "continuous run has ended.\r\nCheck the reader, its cable and its port in \"Interface\" > "
    "\"Settings\".";

}  // namespace torvane::text
