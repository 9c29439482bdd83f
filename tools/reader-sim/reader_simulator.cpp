#include "reader_simulator.h"

#include <utility>

#include "device_link.h"
#include "line_server.h"
#include "pty_endpoint.h"
#include "simulator_core.h"

namespace torvane::sim {

namespace {
// A line long enough to overrun a station that trusts answers to be short.
constexpr std::size_t kOverlongLength = 300;
}  // namespace

Result<std::unique_ptr<ReaderSimulator>> ReaderSimulator::Start(const SimOptions& options) {
  using Started = Result<std::unique_ptr<ReaderSimulator>>;
  auto core = SimulatorCore::Create(options);
  if (!core.ok()) return Started::Failure(core.error);
  auto endpoint = PtyEndpoint::Open();
  if (!endpoint.ok()) return Started::Failure(endpoint.error);
  std::unique_ptr<DeviceLink> link;
  if (!options.linkPath.empty()) {
    auto created = DeviceLink::Create(options.linkPath, endpoint.value->devicePath());
    if (!created.ok()) return Started::Failure(created.error);
    link = std::move(created.value);
  }
  return Started::Success(std::unique_ptr<ReaderSimulator>(
      new ReaderSimulator(std::move(core.value), std::move(endpoint.value), std::move(link),
                          options.linkPath, options.paceBaud)));
}

ReaderSimulator::ReaderSimulator(std::unique_ptr<SimulatorCore> core,
                                 std::unique_ptr<PtyEndpoint> endpoint,
                                 std::unique_ptr<DeviceLink> link, std::string linkPath,
                                 std::uint32_t baud)
    : core_(std::move(core)),
      endpoint_(std::move(endpoint)),
      server_(std::make_unique<LineServer>(*endpoint_, *core_, baud)),
      devicePath_(endpoint_->devicePath()),
      link_(std::move(link)),
      linkPath_(std::move(linkPath)),
      thread_([this] { server_->Run(); }) {}

ReaderSimulator::~ReaderSimulator() {
  std::lock_guard lock(lifecycleMutex_);
  StopServing();
  link_.reset();
  endpoint_->Close();
}

void ReaderSimulator::StopServing() {
  if (!thread_.joinable()) return;
  endpoint_->Wake();
  thread_.join();
}

std::optional<Transponder> ReaderSimulator::OnAntenna() const {
  return core_->OnAntenna();
}

std::vector<Transponder> ReaderSimulator::Programmed() const {
  return core_->Programmed();
}

void ReaderSimulator::PlaceBlankTransponder() {
  core_->PlaceBlankTransponder();
}

void ReaderSimulator::RemoveTransponder() {
  core_->RemoveTransponder();
}

void ReaderSimulator::SetTransponder(const Transponder& transponder) {
  core_->SetTransponder(transponder);
}

void ReaderSimulator::SetTimingValue(int value) {
  core_->SetTimingValue(value);
}

void ReaderSimulator::SetAnswerLatency(std::chrono::milliseconds latency) {
  core_->SetAnswerLatency(latency);
}

void ReaderSimulator::SetWriteTime(std::chrono::milliseconds time) {
  core_->SetWriteTime(time);
}

void ReaderSimulator::SetSwapDelay(std::chrono::milliseconds delay) {
  core_->SetSwapDelay(delay);
}

void ReaderSimulator::SetLockTime(std::chrono::milliseconds time) {
  core_->SetLockTime(time);
}

void ReaderSimulator::DropNextAnswers(int count) {
  core_->DropNextAnswers(count);
}

void ReaderSimulator::DelayNextAnswer(std::chrono::milliseconds delay) {
  core_->DelayNextAnswer(delay);
}

void ReaderSimulator::NakPage(int page) {
  core_->NakPage(page);
}

void ReaderSimulator::SpoilNextStores(int count) {
  core_->SpoilNextStores(count);
}

void ReaderSimulator::SendGarbageNext(std::string bytes) {
  core_->ReplaceNextAnswer(std::move(bytes));
}

void ReaderSimulator::SendOverlongNext() {
  core_->ReplaceNextAnswer(std::string(kOverlongLength, 'Z') + '\r');
}

void ReaderSimulator::AnswerNextWith(std::string text) {
  core_->ReplaceNextAnswer(std::move(text) + '\r');
}

void ReaderSimulator::HoldFaultsFor(int answers) {
  core_->HoldFaultsFor(answers);
}

void ReaderSimulator::HangUp() {
  std::lock_guard lock(lifecycleMutex_);
  StopServing();
  link_.reset();
  endpoint_->HangUp();
  hungUp_ = true;
}

Status ReaderSimulator::Plug() {
  std::lock_guard lock(lifecycleMutex_);
  if (!hungUp_) return Status::Success();
  if (Status plugged = endpoint_->Plug(); !plugged.ok()) return plugged;
  if (!linkPath_.empty()) {
    auto created = DeviceLink::Create(linkPath_, devicePath_);
    if (!created.ok()) return Status::Failure(created.error);
    link_ = std::move(created.value);
  }
  hungUp_ = false;
  thread_ = std::thread([this] { server_->Run(); });
  return Status::Success();
}

bool ReaderSimulator::hungUp() const {
  std::lock_guard lock(lifecycleMutex_);
  return hungUp_;
}

std::vector<std::string> ReaderSimulator::ReceivedCommands() const {
  return core_->ReceivedCommands();
}

bool ReaderSimulator::WaitForCommands(std::size_t count, std::chrono::milliseconds deadline) const {
  return core_->WaitForCommands(count, deadline);
}

std::string ReaderSimulator::stateFileError() const {
  return core_->stateFileError();
}

}  // namespace torvane::sim
