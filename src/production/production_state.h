#pragma once

#include <cstdint>
#include <string>

#include "transponder/programming_policy.h"

namespace torvane {

// The counters and flags of production that the main window owns.
struct ProductionState {
  std::string nextCarrierId;        // the "next" field: what the decimal counter writes next
  std::uint64_t producedCount = 0;  // transponders produced with the fix-data source
  bool headerPending = true;        // the next production record starts with a header block
  int continuousMode = 0;           // 1 while continuous mode is on
  int protocolFailure = 0;          // 3 after the production record file failed
  // "LastCarrierID": the carrier ID after the last one in the record file; 0: none found.
  std::uint64_t lastCarrierIdNext = 0;
  ProgrammingPolicy programming;  // read back and retries, from the station settings
};

}  // namespace torvane
