#include "config/set_list.h"

#include <algorithm>

namespace torvane {

bool ListHolds(const SetList& setList, const std::string& name) {
  return std::find(setList.begin(), setList.end(), name) != setList.end();
}

bool HasRoomFor(const SetList& setList, const std::string& name) {
  return ListHolds(setList, name) || setList.size() < kMaxSetListSize ||
         ListHolds(setList, std::string());
}

bool AddName(SetList& setList, const std::string& name) {
  if (ListHolds(setList, name)) return false;
  auto empty = std::find(setList.begin(), setList.end(), std::string());
  if (empty != setList.end()) {
    *empty = name;
  } else {
    setList.push_back(name);
  }
  return true;
}

bool DeleteName(SetList& setList, const std::string& name) {
  auto found = std::find(setList.begin(), setList.end(), name);
  if (found == setList.end()) return false;
  setList.erase(found);
  std::erase(setList, std::string());
  return true;
}

}  // namespace torvane
