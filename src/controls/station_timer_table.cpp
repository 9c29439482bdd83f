#include "controls/station_timer_table.h"

namespace torvane {

void StationTimerTable::Set(int stationId, std::chrono::milliseconds period) {
  Kill(stationId);
  qtIds_[stationId] = owner_.startTimer(period);
}

void StationTimerTable::Kill(int stationId) {
  auto it = qtIds_.find(stationId);
  if (it == qtIds_.end()) return;
  owner_.killTimer(it->second);
  qtIds_.erase(it);
}

std::optional<int> StationTimerTable::StationIdOf(int qtTimerId) const {
  for (const auto& [stationId, qtId] : qtIds_) {
    if (qtId == qtTimerId) return stationId;
  }
  return std::nullopt;
}

}  // namespace torvane
