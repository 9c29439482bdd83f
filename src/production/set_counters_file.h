#pragma once

#include <string>

#include "platform/result.h"

namespace torvane {

// The two values of a set file that production moves on after every good
// transponder: "Carrier ID" and "Counter Value".
struct SetCounters {
  std::string carrierId;
  std::string counterValue;
};

// Both values in one atomic save of the set's file; a set without a file fails.
Status SaveSetCounters(const std::string& workingDirectory, const std::string& setName,
                       const SetCounters& counters);
Result<SetCounters> ReadSetCounters(const std::string& workingDirectory,
                                    const std::string& setName);

}  // namespace torvane
