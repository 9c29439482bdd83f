#pragma once

#include <array>
#include <string>

#include "view/page_geometry.h"

namespace torvane {

// One named production job as its set file holds it. Values are the texts of
// the edit fields; flags are set exactly when the file says "1".
struct ConfigurationSet {
  // "Work order Setup"
  std::string operatorBadge;
  std::string partNumber;
  std::string workOrderNumber;
  std::string quantity;

  // "Data Source"
  bool sourceDecimalCounter = false;
  bool sourceCsv = false;
  bool sourceCsvComplete = false;
  std::string sourceFile;
  bool sourceFixData = false;

  // "SEMI E99 Carrier ID Setup"
  std::string carrierIdOffset;
  std::string carrierIdLength;
  std::string carrierId;
  bool lockCarrierId = false;
  std::string memoryPage;

  // "Transponder type"
  bool typeTi = false;
  bool typeQuorvi = false;

  // "Page 1" to "Page 17": byte i of the memory in its two text forms.
  std::array<std::string, kMemoryBytes> byteHex;    // two hex digits, as in the file
  std::array<std::string, kMemoryBytes> byteAscii;  // one character, "NUL" for 0
  std::array<bool, kCarrierIdAreaBytes> fixByte{};
  std::array<bool, kPageCount> editPage{};  // index i is page i + 1
  std::array<bool, kPageCount> lockPage{};

  // "Pages 3-17"
  bool writePages3To17 = false;
  std::string counterPage;  // "None" or "3" to "17"
  std::string alignment;    // "None", "Left" or "Right"
  std::string counterValue;

  // "Log"
  bool log = false;
  std::string logFile;

  bool operator==(const ConfigurationSet&) const = default;
};

}  // namespace torvane
