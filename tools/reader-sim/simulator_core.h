#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "command_log.h"
#include "fault_plan.h"
#include "platform/result.h"
#include "reader_protocol.h"
#include "sim_options.h"
#include "transponder_supply.h"

namespace torvane::sim {

// The reader's state behind one lock: the transponders, the answer timing, the
// faults in waiting and the record of received commands. The line server asks
// it for each answer; every other caller may change it at any time.
class SimulatorCore {
 public:
  struct PlannedAnswer {
    bool send = true;
    std::string bytes;
    std::chrono::milliseconds delay{0};  // from the end of the command to the answer
  };

  // Opens the log and writes the first state file.
  static Result<std::unique_ptr<SimulatorCore>> Create(const SimOptions& options);

  PlannedAnswer Answer(const std::string& line);
  void NoteSent(const std::string& bytes);

  // Not const: a swap that has come due happens first.
  std::optional<Transponder> OnAntenna();
  std::vector<Transponder> Programmed();
  void PlaceBlankTransponder();
  void RemoveTransponder();
  void SetTransponder(const Transponder& transponder);

  void SetTimingValue(int value);
  void SetAnswerLatency(std::chrono::milliseconds latency);
  void SetWriteTime(std::chrono::milliseconds time);
  void SetLockTime(std::chrono::milliseconds time);
  void SetSwapDelay(std::chrono::milliseconds delay);

  void DropNextAnswers(int count);
  void DelayNextAnswer(std::chrono::milliseconds delay);
  void NakPage(int page);
  void SpoilNextStores(int count);
  void ReplaceNextAnswer(std::string bytes);
  void HoldFaultsFor(int answers);

  std::vector<std::string> ReceivedCommands() const;
  bool WaitForCommands(std::size_t count, std::chrono::milliseconds deadline) const;
  std::string stateFileError() const;

 private:
  explicit SimulatorCore(const SimOptions& options);
  // Called with the lock held after anything that may change the transponders.
  void SaveIfChanged();
  // Called with the lock held before the transponders are used.
  void CatchUp();

  mutable std::mutex mutex_;
  mutable std::condition_variable commandArrived_;
  TransponderSupply supply_;
  ReaderProtocol protocol_{supply_};
  FaultPlan faults_;
  std::chrono::milliseconds answerLatency_;
  std::chrono::milliseconds writeTime_;
  std::chrono::milliseconds lockTime_;
  std::vector<std::string> received_;
  std::unique_ptr<CommandLog> log_;
  std::string statePath_;  // empty: no state file
  std::uint64_t savedRevision_ = 0;
  std::string stateFileError_;
};

}  // namespace torvane::sim
