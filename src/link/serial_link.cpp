#include "link/serial_link.h"

#include <array>
#include <utility>

namespace torvane {

namespace {

constexpr char kPauseEventName[] = "ThreadEvent_Pause";
constexpr char kExitEventName[] = "ThreadEvent_Exit";
constexpr char kAnswerEventName[] = "ThreadEvent_CR";

// How long the receive thread waits for input or idles before it looks at its
// requests again, and how long it rests after a failed read.
constexpr std::chrono::milliseconds kPassInterval{5};
// The thread answers the stop handshake within one pass; the limit only keeps
// a stop from hanging should that ever fail. The join that follows is certain.
constexpr std::chrono::milliseconds kHandshakeLimit{2000};
// More than a reader's answer line; a longer burst takes further passes.
constexpr std::size_t kReadChunk = 256;

// A pulled adapter fails every wait and read at once; resting keeps the
// receive thread from spinning.
void RestAfterFailure() {
  std::this_thread::sleep_for(kPassInterval);
}

}  // namespace

SerialLink::SerialLink()
    : pauseEvent_(OpenNamedEvent(kPauseEventName)),
      exitEvent_(OpenNamedEvent(kExitEventName)),
      answerEvent_(OpenNamedEvent(kAnswerEventName)) {}

SerialLink::~SerialLink() {
  CloseComPort();
}

bool SerialLink::OpenComPort(const std::string& portName, std::uint32_t baudRate,
                             std::uint8_t dataBits, std::uint8_t parityCode,
                             std::uint8_t stopBitsCode, std::uint8_t flowControlCode) {
  CloseComPort();
  portName_ = portName;
  auto opened = SerialPort::Open(portName);
  if (!opened.ok()) {
    lastError_ = opened.error;
    return false;
  }
  port_ = std::move(opened.value);
  lastError_.clear();
  port_->Purge();
  const Status applied =
      port_->Apply({baudRate, dataBits, parityCode, stopBitsCode, flowControlCode});
  if (!applied.ok()) {
    // The port counts as open, but without a thread no answers arrive.
    lastError_ = applied.error;
    return true;
  }
  StartReceiveThread();
  return true;
}

bool SerialLink::CloseComPort() {
  if (!port_) return true;
  StopReceiveThread();
  port_->Purge();
  const Status closed = port_->Close();
  port_.reset();
  hungUp_ = false;
  if (!closed.ok()) lastError_ = closed.error;
  return closed.ok();
}

int SerialLink::SendLine(std::string_view text) {
  if (!port_) return -1;
  // One call for the whole line: a call per byte costs a wake-up of the
  // reader's side per byte. A command missing a byte could still be a valid
  // command with another meaning, so sending stops at the first byte that
  // cannot be handed over.
  const Status written = port_->Write(text);
  if (!written.ok()) {
    lastError_ = written.error;
    // A device that has gone is noticed here as soon as by the receive thread.
    if (port_->HungUp()) NoteHangUp(written.error);
    return kWriteFailed;
  }
  return 0;
}

bool SerialLink::portOpen() const {
  return port_ != nullptr;
}

bool SerialLink::receiveThreadRunning() const {
  return receiveThread_.joinable();
}

std::string SerialLink::hangUpReason() const {
  std::lock_guard lock(hangUpMutex_);
  return hangUpReason_;
}

void SerialLink::setHangUpHook(HangUpHook hook) {
  hangUpHook_ = std::move(hook);
}

void SerialLink::setLineHook(LineHook hook) {
  lineHook_ = std::move(hook);
}

void SerialLink::ResetAnswerEvent() {
  answerEvent_->Reset();
}

std::optional<std::string> SerialLink::WaitAnswer(std::chrono::milliseconds limit) {
  std::optional<std::string> answer;
  answerEvent_->WaitForTakeAndReset(limit, [&] { answer = completedLine_; });
  return answer;
}

void SerialLink::StartReceiveThread() {
  exitRequest_ = false;
  pauseRequest_ = false;
  pauseEvent_->Reset();
  exitEvent_->Reset();
  receivePasses_ = 0;
  if (!receiveThread_.joinable()) receiveThread_ = std::thread(&SerialLink::ReceiveLoop, this);
}

void SerialLink::StopReceiveThread() {
  if (!receiveThread_.joinable()) return;
  // Pausing first makes sure the thread is between passes, not inside a read.
  pauseRequest_ = true;
  pauseEvent_->WaitFor(kHandshakeLimit);
  pauseEvent_->Reset();
  exitRequest_ = true;
  exitEvent_->WaitFor(kHandshakeLimit);
  exitEvent_->Reset();
  receiveThread_.join();
}

void SerialLink::ReceiveLoop() {
  LineAssembler assembler;
  while (!exitRequest_) {
    ++receivePasses_;
    if (pauseRequest_) {
      pauseEvent_->Set();
      std::this_thread::sleep_for(kPassInterval);
    } else {
      ReceivePass(assembler);
    }
  }
  exitEvent_->Set();
}

void SerialLink::ReceivePass(LineAssembler& assembler) {
  // A device that has gone fails every wait at once: the thread only idles.
  if (hungUp_) return RestAfterFailure();
  const Result<bool> readable = port_->WaitReadable(kPassInterval);
  if (!readable.ok()) return NoteHangUp(readable.error);
  if (!readable.value) return;
  // Everything queued at once: a whole answer usually costs one read.
  std::array<char, kReadChunk> bytes;
  const Result<std::size_t> read = port_->ReadQueued(bytes);
  if (!read.ok()) return port_->HungUp() ? NoteHangUp(read.error) : RestAfterFailure();
  for (std::size_t i = 0; i < read.value; ++i) {
    if (auto line = assembler.Accept(bytes[i])) CompleteLine(std::move(*line));
  }
}

void SerialLink::NoteHangUp(const std::string& reason) {
  {
    std::lock_guard lock(hangUpMutex_);
    if (!hungUp_) hangUpReason_ = reason;
  }
  if (!hungUp_.exchange(true) && hangUpHook_) hangUpHook_();
}

void SerialLink::CompleteLine(std::string line) {
  if (!readBusy_ && !writeBusy_ && lineHook_) lineHook_(line);
  answerEvent_->SetAfter([&] { completedLine_ = std::move(line); });
}

}  // namespace torvane
