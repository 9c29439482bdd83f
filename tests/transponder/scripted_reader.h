#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/pty_peer.h"

namespace torvane::test {

// A reader on a pseudo-terminal that answers the n-th line it receives with the
// n-th scripted answer (CR added), stays silent for an empty slot, and for
// lines beyond the script.
class ScriptedReader {
 public:
  explicit ScriptedReader(std::vector<std::optional<std::string>> answers);
  ~ScriptedReader();
  ScriptedReader(const ScriptedReader&) = delete;
  ScriptedReader& operator=(const ScriptedReader&) = delete;

  const std::string& devicePath() const { return peer_.slavePath(); }
  // The lines received so far, without their CR.
  std::vector<std::string> Received() const;
  // Waits, with a generous deadline, until `count` lines have arrived.
  std::vector<std::string> ReceivedOnceThere(std::size_t count) const;

 private:
  void Serve();

  PtyPeer peer_;
  const std::vector<std::optional<std::string>> answers_;
  mutable std::mutex mutex_;
  mutable std::condition_variable arrived_;
  std::vector<std::string> received_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace torvane::test
