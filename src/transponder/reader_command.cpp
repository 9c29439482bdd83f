#include "transponder/reader_command.h"

namespace torvane {

namespace {
constexpr char kRecordEnd[] = "\r\n";
}

ReaderCommand ReaderCommand::Calibration() {
  return {"TOR\r", 4, std::string::npos, {}};
}

ReaderCommand ReaderCommand::ReadUid() {
  return {"RUID\r", 9, 8, std::string("RUID // Read UID") + kRecordEnd};
}

ReaderCommand ReaderCommand::ReadPage(int page) {
  const std::string n = std::to_string(page);
  return {"RD " + n + "\r", 17, 16, "RD " + n + " // Read page " + n + kRecordEnd};
}

ReaderCommand ReaderCommand::WritePage(int page, std::string_view digits) {
  const std::string n = std::to_string(page);
  const std::string line = "WD " + n + " " + std::string(digits);
  // The record has no blank before the slashes.
  return {line + "\r", 4, 3, line + "// Write page " + n + kRecordEnd};
}

ReaderCommand ReaderCommand::LockPage(int page) {
  const std::string n = std::to_string(page);
  return {"LD " + n + "\r", 4, 3, "LD " + n + " // Lock page " + n + kRecordEnd};
}

}  // namespace torvane
