#include "production/continuous_mode.h"

#include "production/production_messages.h"
#include "production/station_controls.h"
#include "view/control_ids.h"

namespace torvane {

void ContinuousMode::OnContinuous() {
  if (production_.continuousMode == 1) {
    SwitchOff();
  } else {
    SwitchOn();
  }
}

void ContinuousMode::SwitchOn() {
  if (!poll_.portOpen()) {
    Tell(text::kRunNeedsThePort);
    return;
  }
  production_.continuousMode = 1;
  silentPolls_ = 0;
  EnableStationControls(view_, production_, setInUse_.configMode, false);
  view_.SetControlText(ids::kContButton, text::kContOff);
  view_.EnableControl(ids::kContButton, true);
  production_.headerPending = true;
  lastCycleUid_.clear();
  view_.SetTimer(kPollTimer, kPollPeriod);
}

void ContinuousMode::SwitchOff() {
  production_.continuousMode = 0;
  view_.KillTimer(kPollTimer);
  view_.SetControlText(ids::kContButton, text::kContOn);
  EnableStationControls(view_, production_, setInUse_.configMode, true);
}

bool ContinuousMode::OnPollTick(bool cycleBusy) {
  if (production_.continuousMode != 1 || cycleBusy) return false;
  // A run belongs to Config mode: in Manual mode its button is hidden.
  if (setInUse_.configMode != 1) {
    SwitchOff();
    return false;
  }
  const std::optional<std::string> uid = poll_.ReadUid();
  // One lost answer is no reason to stop; a reader that stays silent is.
  silentPolls_ = poll_.answered() ? 0 : silentPolls_ + 1;
  antennaEmpty_ = poll_.answered() && !uid;
  if (silentPolls_ >= kSilentPollsToStop) {
    SwitchOff();
    Tell(poll_.portOpen() ? text::kReaderSilentInRun : text::kRunNeedsThePort);
    return false;
  }
  if (!uid || *uid == lastCycleUid_) return false;
  lastCycleUid_ = *uid;
  return true;
}

void ContinuousMode::Tell(const std::string& message) {
  view_.ShowMessage(message, text::kCaption, MessageIcon::Warning, MessageButtons::Ok);
}

void ContinuousMode::OnCycleEnded(const CycleOutcome& outcome) {
  if (production_.continuousMode == 1 && outcome.stopped) SwitchOff();
}

void ContinuousMode::Stop() {
  if (production_.continuousMode == 1) SwitchOff();
}

}  // namespace torvane
