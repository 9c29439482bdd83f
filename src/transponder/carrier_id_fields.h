#pragma once

#include <string>

namespace torvane {

// The carrier-ID fields of the "Manual" group, held as typed.
struct CarrierIdFields {
  std::string carrierIdOffsetText;
  std::string carrierIdLengthText;
  std::string carrierIdText;
};

}  // namespace torvane
