#pragma once

#include <QObject>
#include <chrono>
#include <map>
#include <optional>

namespace torvane {

// A window's timers under the station's timer ids, started on the window.
class StationTimerTable {
 public:
  explicit StationTimerTable(QObject& owner) : owner_(owner) {}
  StationTimerTable(const StationTimerTable&) = delete;
  StationTimerTable& operator=(const StationTimerTable&) = delete;

  // Setting a running timer restarts it.
  void Set(int stationId, std::chrono::milliseconds period);
  void Kill(int stationId);
  bool Running(int stationId) const { return qtIds_.contains(stationId); }
  // The station id behind a Qt timer event; nothing for a timer not set here.
  std::optional<int> StationIdOf(int qtTimerId) const;

 private:
  QObject& owner_;
  std::map<int, int> qtIds_;  // station timer id -> Qt timer id
};

}  // namespace torvane
