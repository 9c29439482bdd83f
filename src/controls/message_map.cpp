#include "controls/message_map.h"

#include <utility>

namespace torvane {

void MessageMap::On(unsigned message, Handler handler) {
  handlers_[message] = std::move(handler);
}

bool MessageMap::Send(unsigned message, int wParam, QWidget* lParam, long* result) const {
  auto it = handlers_.find(message);
  if (it == handlers_.end()) return false;
  // A copy, so that a handler may replace its own table entry while it runs.
  Handler handler = it->second;
  long answer = handler(wParam, lParam);
  if (result != nullptr) *result = answer;
  return true;
}

}  // namespace torvane
