#pragma once

#include <string>

#include "config/configuration_set.h"

namespace torvane {

// What the main window keeps of the configuration set in use.
struct SetInUse {
  int configMode = 0;  // 1 Config, 0 Manual
  std::string name;
  ConfigurationSet set;
  int setTypeQuorvi = 0;
};

}  // namespace torvane
