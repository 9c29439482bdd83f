#pragma once

#include <string>

namespace torvane {

// The "Log" toggle of the "Manual" group and its record file.
struct ManualLogState {
  int manualLogOn = 0;
  std::string fileName;
};

enum class ManualRecordKind { Read, Write };

}  // namespace torvane
