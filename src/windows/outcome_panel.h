#pragma once

#include <QFrame>
#include <chrono>
#include <optional>
#include <string>

#include "production/outcome_tally.h"
#include "production/production_cycle.h"

class QLabel;

namespace torvane {

// What the station does now, to be read from a metre away: READY, BUSY, PASS,
// FAIL or WAITING in large type, DISCONNECTED over any of them while the
// reader is not there; below it the last transponder's carrier ID, UID, time
// and duration, the reason of a failure or the next step, the counters, the
// state of a run and of the reader, and one line for a note.
class OutcomePanel : public QFrame {
  Q_OBJECT

 public:
  explicit OutcomePanel(QWidget* parent);

  // In Config mode the panel takes the room of the Manual group; in Manual
  // mode, the strip below it.
  void SetLarge(bool large);

  // Nothing of an earlier transponder stands: the hint says what to do.
  void ShowReady();
  // A cycle runs.
  void ShowBusy();
  // `started` is when the cycle began; `took` its time without message boxes.
  void ShowOutcome(const CycleOutcome& outcome, const std::string& uid,
                   std::chrono::system_clock::time_point started,
                   std::chrono::steady_clock::duration took);
  // A run waits for the next transponder.
  void ShowWaiting();
  // The next step, shown while the panel is READY or WAITING.
  void ShowHint(const std::string& hint);
  void ShowCounts(const OutcomeTally& tally, std::optional<std::uint64_t> remaining);
  // What is wrong with the reader (empty when nothing is), else the run's progress.
  void ShowRunState(bool continuous, std::uint64_t made, const std::string& readerTrouble);
  // One more line, for what else the operator should see.
  void ShowNote(const std::string& note);

  enum class Face { Ready, Busy, Pass, Fail, Waiting };
  Face face() const { return face_; }

 private:
  QLabel* AddLabel(const char* name);
  void Arrange();
  void SetFace(Face face);
  void ShowVerdict();
  void ClearResult();

  QLabel* verdict_;
  QLabel* carrierId_;
  QLabel* uid_;
  QLabel* time_;
  QLabel* reason_;
  QLabel* good_;
  QLabel* failed_;
  QLabel* remaining_;
  QLabel* runState_;
  QLabel* note_;
  bool large_ = false;
  Face face_ = Face::Ready;
  bool disconnected_ = false;
  std::string hint_;
};

}  // namespace torvane
