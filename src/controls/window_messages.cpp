#include "controls/window_messages.h"

#include <map>
#include <mutex>

namespace torvane {

namespace {

constexpr std::string_view kSuffix = "-{165BBEA0-C1A8-11d5-A04D-006067718D04}";
// Registered messages live above the fixed message range, as on the platform
// the names come from.
constexpr unsigned kFirstRegisteredId = 0xC000;

}  // namespace

unsigned WindowMessages::Register(std::string_view name) {
  static std::mutex mutex;
  static std::map<std::string, unsigned, std::less<>> ids;
  std::lock_guard lock(mutex);
  auto it = ids.find(name);
  if (it != ids.end()) return it->second;
  unsigned id = kFirstRegisteredId + static_cast<unsigned>(ids.size());
  ids.emplace(std::string(name), id);
  return id;
}

std::string WindowMessages::EditCompleteName(int n) {
  std::string number = n == 0 ? std::string() : std::to_string(n);
  return "UWM_EDIT" + number + "_COMPLETE" + std::string(kSuffix);
}

std::string WindowMessages::EditTabName(int n) {
  return "UWM_EDIT" + std::to_string(n) + "_TAB" + std::string(kSuffix);
}

}  // namespace torvane
