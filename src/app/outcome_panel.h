#pragma once

#include <QFrame>
#include <chrono>
#include <optional>
#include <string>

#include "production/outcome_tally.h"
#include "production/production_cycle.h"

class QLabel;

namespace torvane {

// The last transponder's outcome in the main window's lower right: PASS or FAIL
// in large type, its carrier ID, UID, time and duration, the reason of a
// failure, the counters, and the state of a run and of the reader.
class COutcomePanel : public QFrame {
  Q_OBJECT

 public:
  explicit COutcomePanel(QWidget* parent);

  // A neutral face while a cycle runs: nothing of the last one stands for it.
  void ShowBusy();
  void ShowOutcome(const CycleOutcome& outcome, const std::string& uid,
                   std::chrono::system_clock::time_point ended,
                   std::chrono::steady_clock::duration took);
  void ShowCounts(const OutcomeTally& tally, std::optional<std::uint64_t> remaining);
  // "reader disconnected" while the reader is away, else the run's progress.
  void ShowRunState(bool continuous, std::uint64_t made, bool readerAway);

 private:
  QLabel* AddLabel(const char* name, int x, int y, int width, int height);
  void SetVerdict(const char* text, std::uint32_t background);

  QLabel* verdict_;
  QLabel* carrierId_;
  QLabel* uid_;
  QLabel* time_;
  QLabel* reason_;
  QLabel* good_;
  QLabel* failed_;
  QLabel* remaining_;
  QLabel* runState_;
};

}  // namespace torvane
