#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "link/line_assembler.h"
#include "platform/event.h"
#include "platform/serial_port.h"

namespace torvane {

// The one serial port of the station and its receive thread: opens the port,
// sends command lines, cuts the reader's bytes into lines at CR and hands each
// completed line to a waiting operation (the answer event) and, while no
// operation is busy, to the terminal pane (the line hook).
class SerialLink {
 public:
  // Receives each completed line followed by CR LF, on the receive thread.
  using LineHook = std::function<void(const std::string& line)>;

  SerialLink();
  ~SerialLink();  // stops the thread and closes the port
  SerialLink(const SerialLink&) = delete;
  SerialLink& operator=(const SerialLink&) = delete;

  // Opens the device, purges it, applies the parameters and starts the receive
  // thread. False when the device cannot be opened (lastError() tells why). When
  // the parameters are refused the port still counts as open, without a thread.
  bool OpenComPort(const std::string& portName, std::uint32_t baudRate, std::uint8_t dataBits,
                   std::uint8_t parityCode, std::uint8_t stopBitsCode,
                   std::uint8_t flowControlCode);
  // True when no port was open or it was closed; false when the close failed.
  bool CloseComPort();
  // -1 with no port open, 0 when every byte was written, else kWriteFailed.
  // Texts of any length are sent whole; sending stops at the first byte that
  // cannot be handed over.
  int SendLine(std::string_view text);

  bool portOpen() const;
  // The name given to the last OpenComPort, whether or not it opened.
  const std::string& portName() const { return portName_; }
  // The device hung up or vanished while the port was open (a pulled USB
  // adapter): nothing is read any more, and the hang-up hook has been called.
  bool hungUp() const { return hungUp_; }
  std::string hangUpReason() const;
  bool receiveThreadRunning() const;
  const std::string& lastError() const { return lastError_; }

  void setReadBusy(bool busy) { readBusy_ = busy; }
  void setWriteBusy(bool busy) { writeBusy_ = busy; }
  bool readBusy() const { return readBusy_; }
  bool writeBusy() const { return writeBusy_; }

  // Called once per open port, on the receive thread, when the device hangs up.
  // It must not wait for the user-interface thread: post, don't block.
  using HangUpHook = std::function<void()>;
  void setHangUpHook(HangUpHook hook);

  // Set before opening the port; called only while neither busy flag is set.
  // The hook must not wait for the user-interface thread (post, don't block):
  // closing the port waits for the receive thread.
  void setLineHook(LineHook hook);

  // The answer protocol of the reader operations.
  void ResetAnswerEvent();
  // Waits up to `limit` for a completed line. On success returns the line with
  // CR LF and resets the event; on timeout returns nothing and leaves the event.
  std::optional<std::string> WaitAnswer(std::chrono::milliseconds limit);

  // Passes the receive thread has made since the port was opened; a device that
  // vanished must not make this race.
  std::uint64_t receivePasses() const { return receivePasses_; }

  static constexpr int kMaxLineLength = static_cast<int>(LineAssembler::kMaxLineLength);
  // SendLine's result when a byte could not be handed over; lastError() says why.
  static constexpr int kWriteFailed = 1;

 private:
  void StartReceiveThread();
  void StopReceiveThread();
  void ReceiveLoop();
  void ReceivePass(LineAssembler& assembler);
  void CompleteLine(std::string line);
  void NoteHangUp(const std::string& reason);

  std::unique_ptr<SerialPort> port_;
  std::string lastError_;
  std::atomic<bool> readBusy_{false};
  std::atomic<bool> writeBusy_{false};
  std::atomic<bool> exitRequest_{true};
  std::atomic<bool> pauseRequest_{false};
  std::thread receiveThread_;
  std::shared_ptr<ManualResetEvent> pauseEvent_;
  std::shared_ptr<ManualResetEvent> exitEvent_;
  std::shared_ptr<ManualResetEvent> answerEvent_;
  LineHook lineHook_;
  HangUpHook hangUpHook_;
  std::string portName_;
  std::atomic<bool> hungUp_{false};
  mutable std::mutex hangUpMutex_;
  std::string hangUpReason_;
  std::atomic<std::uint64_t> receivePasses_{0};
  // The last completed line, published under the answer event's lock.
  std::string completedLine_;
};

}  // namespace torvane
