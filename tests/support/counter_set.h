#pragma once

#include "config/configuration_set.h"

namespace torvane::test {

// A set whose carrier IDs are 16 decimal characters from "1" filling pages 1
// and 2, both locked, every transponder recorded; the source is left to the caller.
inline ConfigurationSet SixteenCharacterIdSet() {
  ConfigurationSet set;
  set.carrierIdOffset = "0";
  set.carrierIdLength = "16";
  set.memoryPage = "1";
  set.carrierId = "1";
  set.byteHex.fill("00");
  set.byteAscii.fill("NUL");
  set.lockPage[0] = set.lockPage[1] = true;
  set.log = true;
  return set;
}

}  // namespace torvane::test
