#pragma once

#include <string>
#include <string_view>

namespace torvane {

// Named window messages shared by the edit fields and the windows that receive
// them. Registering a name again yields the id it got the first time, so a
// sender and a receiver agree without sharing a variable.
class WindowMessages {
 public:
  static unsigned Register(std::string_view name);

  // n = 0 names the plain UWM_EDIT_COMPLETE of EnterEdit.
  static std::string EditCompleteName(int n);
  static std::string EditTabName(int n);
  static unsigned EditComplete(int n) { return Register(EditCompleteName(n)); }
  static unsigned EditTab(int n) { return Register(EditTabName(n)); }
};

}  // namespace torvane
