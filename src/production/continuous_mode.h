#pragma once

#include <chrono>
#include <string>

#include "config/set_in_use.h"
#include "production/antenna_poll.h"
#include "production/production_cycle.h"
#include "production/production_state.h"
#include "view/station_view.h"

namespace torvane {

// The unattended run: while it is on, every transponder put on the antenna is
// programmed once, and any cycle that needs the operator ends the run.
class ContinuousMode {
 public:
  static constexpr int kPollTimer = 7;
  static constexpr std::chrono::milliseconds kPollPeriod{500};
  static constexpr int kSilentPollsToStop = 3;

  ContinuousMode(StationView& view, ProductionState& production, const SetInUse& setInUse,
                 AntennaPoll& poll)
      : view_(view), production_(production), setInUse_(setInUse), poll_(poll) {}

  // "Cont On" / "Cont Off".
  void OnContinuous();
  // A poll tick: whether a transponder other than the one that started the
  // last cycle of this run lies on the antenna, so that a cycle is due.
  bool OnPollTick(bool cycleBusy);
  void OnCycleEnded(const CycleOutcome& outcome);
  // The last poll found no transponder on the antenna.
  bool antennaEmpty() const { return antennaEmpty_; }
  // Ends a run that is on, as "Cont Off" does (the reader has gone).
  void Stop();

 private:
  void SwitchOn();
  void SwitchOff();
  void Tell(const std::string& message);

  StationView& view_;
  ProductionState& production_;
  const SetInUse& setInUse_;
  AntennaPoll& poll_;
  std::string lastCycleUid_;
  int silentPolls_ = 0;
  bool antennaEmpty_ = false;
};

}  // namespace torvane
