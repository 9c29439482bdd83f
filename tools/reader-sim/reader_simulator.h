#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/result.h"
#include "sim_options.h"
#include "transponder.h"

namespace torvane::sim {

class SimulatorCore;
class PtyEndpoint;
class LineServer;
class DeviceLink;

// A transponder reader on a pseudo-terminal, served by a thread of its own.
// Every public call is thread-safe.
class ReaderSimulator {
 public:
  static Result<std::unique_ptr<ReaderSimulator>> Start(const SimOptions& options);
  ~ReaderSimulator();  // stops the thread and closes the pseudo-terminal
  ReaderSimulator(const ReaderSimulator&) = delete;
  ReaderSimulator& operator=(const ReaderSimulator&) = delete;

  // The device a station opens, e.g. "/dev/pts/7".
  const std::string& devicePath() const { return devicePath_; }

  std::optional<Transponder> OnAntenna() const;
  // Every transponder that has been on the antenna, oldest first, as it is now.
  std::vector<Transponder> Programmed() const;

  void PlaceBlankTransponder();  // with the next UID
  void RemoveTransponder();
  // Puts a prepared transponder on the antenna; one whose UID is on record
  // replaces that record (the same transponder put back or changed).
  void SetTransponder(const Transponder& transponder);

  void SetTimingValue(int value);
  void SetAnswerLatency(std::chrono::milliseconds latency);
  void SetWriteTime(std::chrono::milliseconds time);
  void SetLockTime(std::chrono::milliseconds time);
  // That long after the last acknowledged lock, a fresh blank transponder takes
  // the locked one's place, as an operator would swap them; 0: never.
  void SetSwapDelay(std::chrono::milliseconds delay);

  // Faults. The commands themselves still take effect; only their answers change.
  void DropNextAnswers(int count);
  void DelayNextAnswer(std::chrono::milliseconds delay);
  void NakPage(int page);  // writes and locks of this page answer "NAK"; 0: none
  // The next `count` page writes are acknowledged but store their first byte
  // with its lowest bit flipped.
  void SpoilNextStores(int count);
  void SendGarbageNext(std::string bytes);  // sent exactly as given, no CR added
  void SendOverlongNext();                  // a 300-character line
  void AnswerNextWith(std::string text);    // text followed by CR
  // The answer faults above go out only after the next `answers` answers, so
  // that a test can aim one at a later step of an operation.
  void HoldFaultsFor(int answers);
  // Closes the line as a pulled USB adapter would; the station sees a hang-up
  // and the device link goes away.
  void HangUp();
  // After a hang-up: the same device back under the same path (and its link),
  // as the same adapter plugged in again.
  Status Plug();
  bool hungUp() const;

  // Lines received so far, without their CR.
  std::vector<std::string> ReceivedCommands() const;
  bool WaitForCommands(std::size_t count, std::chrono::milliseconds deadline) const;
  // Empty while every state file write has succeeded, else the last failure.
  std::string stateFileError() const;

 private:
  ReaderSimulator(std::unique_ptr<SimulatorCore> core, std::unique_ptr<PtyEndpoint> endpoint,
                  std::unique_ptr<DeviceLink> link, std::string linkPath, std::uint32_t baud);
  // The caller holds lifecycleMutex_.
  void StopServing();

  std::unique_ptr<SimulatorCore> core_;
  std::unique_ptr<PtyEndpoint> endpoint_;
  std::unique_ptr<LineServer> server_;
  const std::string devicePath_;
  mutable std::mutex lifecycleMutex_;
  std::unique_ptr<DeviceLink> link_;
  const std::string linkPath_;
  bool hungUp_ = false;
  std::thread thread_;
};

}  // namespace torvane::sim
