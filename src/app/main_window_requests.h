#pragma once

#include <array>
#include <string>

#include "transponder/page_state.h"

namespace torvane {

// Work that handlers and the production cycle leave for the main window's timer
// ticks: a cycle for timer 3, a message and focus moves for timer 5.
struct DeferredRequests {
  bool cycleRequested = false;
  std::string pendingMessage;
  bool pendingMessageFlag = false;
  std::array<bool, kPageCount> pageFocusRequest{};
};

}  // namespace torvane
