#include "simulator_core.h"

#include <utility>

#include "platform/atomic_file.h"
#include "state_json.h"

namespace torvane::sim {

SimulatorCore::SimulatorCore(const SimOptions& options)
    : supply_(options.firstUid, options.empty, options.swapAfterLock),
      answerLatency_(options.answerLatency),
      writeTime_(options.writeTime),
      lockTime_(options.lockTime) {
  protocol_.setTimingValue(options.timingValue);
  supply_.SetSwapDelay(options.swapDelay);
}

Result<std::unique_ptr<SimulatorCore>> SimulatorCore::Create(const SimOptions& options) {
  using Created = Result<std::unique_ptr<SimulatorCore>>;
  std::unique_ptr<SimulatorCore> core(new SimulatorCore(options));
  if (!options.logPath.empty()) {
    auto log = CommandLog::Open(options.logPath);
    if (!log.ok()) return Created::Failure(log.error);
    core->log_ = std::move(log.value);
  }
  if (!options.statePath.empty()) {
    core->statePath_ = options.statePath;
    const Status saved = WriteFileAtomically(core->statePath_, RenderStateJson(core->supply_));
    if (!saved.ok()) return Created::Failure(saved.error);
    core->savedRevision_ = core->supply_.revision();
  }
  return Created::Success(std::move(core));
}

SimulatorCore::PlannedAnswer SimulatorCore::Answer(const std::string& line) {
  PlannedAnswer planned;
  {
    std::lock_guard lock(mutex_);
    CatchUp();
    received_.push_back(line);
    if (log_) log_->Received(line);
    const Reply reply = protocol_.Respond(line);
    SaveIfChanged();
    auto work = std::chrono::milliseconds{0};
    if (reply.kind == CommandKind::kWritePage) work = writeTime_;
    if (reply.kind == CommandKind::kLockPage) work = lockTime_;
    FaultPlan::Outgoing outgoing = faults_.Shape(reply.text + '\r');
    planned = {outgoing.send, std::move(outgoing.bytes),
               answerLatency_ + work + outgoing.extraDelay};
  }
  commandArrived_.notify_all();
  return planned;
}

void SimulatorCore::NoteSent(const std::string& bytes) {
  std::lock_guard lock(mutex_);
  if (log_) log_->Sent(bytes);
}

std::optional<Transponder> SimulatorCore::OnAntenna() {
  std::lock_guard lock(mutex_);
  CatchUp();
  const Transponder* transponder = supply_.onAntenna();
  if (transponder == nullptr) return std::nullopt;
  return *transponder;
}

std::vector<Transponder> SimulatorCore::Programmed() {
  std::lock_guard lock(mutex_);
  CatchUp();
  return supply_.all();
}

void SimulatorCore::PlaceBlankTransponder() {
  std::lock_guard lock(mutex_);
  supply_.PlaceBlank();
  SaveIfChanged();
}

void SimulatorCore::RemoveTransponder() {
  std::lock_guard lock(mutex_);
  supply_.Remove();
  SaveIfChanged();
}

void SimulatorCore::SetTransponder(const Transponder& transponder) {
  std::lock_guard lock(mutex_);
  supply_.Place(transponder);
  SaveIfChanged();
}

void SimulatorCore::SetTimingValue(int value) {
  std::lock_guard lock(mutex_);
  protocol_.setTimingValue(value);
}

void SimulatorCore::SetAnswerLatency(std::chrono::milliseconds latency) {
  std::lock_guard lock(mutex_);
  answerLatency_ = latency;
}

void SimulatorCore::SetWriteTime(std::chrono::milliseconds time) {
  std::lock_guard lock(mutex_);
  writeTime_ = time;
}

void SimulatorCore::SetLockTime(std::chrono::milliseconds time) {
  std::lock_guard lock(mutex_);
  lockTime_ = time;
}

void SimulatorCore::SetSwapDelay(std::chrono::milliseconds delay) {
  std::lock_guard lock(mutex_);
  supply_.SetSwapDelay(delay);
}

void SimulatorCore::DropNextAnswers(int count) {
  std::lock_guard lock(mutex_);
  faults_.DropNext(count);
}

void SimulatorCore::DelayNextAnswer(std::chrono::milliseconds delay) {
  std::lock_guard lock(mutex_);
  faults_.DelayNext(delay);
}

void SimulatorCore::NakPage(int page) {
  std::lock_guard lock(mutex_);
  protocol_.setNakPage(page);
}

void SimulatorCore::SpoilNextStores(int count) {
  std::lock_guard lock(mutex_);
  protocol_.setBadStores(count);
}

void SimulatorCore::ReplaceNextAnswer(std::string bytes) {
  std::lock_guard lock(mutex_);
  faults_.ReplaceNext(std::move(bytes));
}

void SimulatorCore::HoldFaultsFor(int answers) {
  std::lock_guard lock(mutex_);
  faults_.HoldFor(answers);
}

std::vector<std::string> SimulatorCore::ReceivedCommands() const {
  std::lock_guard lock(mutex_);
  return received_;
}

bool SimulatorCore::WaitForCommands(std::size_t count, std::chrono::milliseconds deadline) const {
  std::unique_lock lock(mutex_);
  return commandArrived_.wait_for(lock, deadline, [&] { return received_.size() >= count; });
}

std::string SimulatorCore::stateFileError() const {
  std::lock_guard lock(mutex_);
  return stateFileError_;
}

void SimulatorCore::CatchUp() {
  supply_.AdvanceTo(TransponderSupply::Clock::now());
  SaveIfChanged();
}

void SimulatorCore::SaveIfChanged() {
  if (statePath_.empty() || supply_.revision() == savedRevision_) return;
  const Status saved = WriteFileAtomically(statePath_, RenderStateJson(supply_));
  // A failed save is retried with the next change; the error stays visible until then.
  stateFileError_ = saved.error;
  if (saved.ok()) savedRevision_ = supply_.revision();
}

}  // namespace torvane::sim
