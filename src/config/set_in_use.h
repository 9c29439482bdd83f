#pragma once

#include <array>
#include <string>

namespace torvane {

// What the main window keeps of the configuration set in use.
struct SetInUse {
  int configMode = 0;  // 1 Config, 0 Manual
  std::string name;
  std::array<int, 17> lockPage{};
  int setTypeQuorvi = 0;
};

}  // namespace torvane
