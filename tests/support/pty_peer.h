#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace torvane {

// The far end of a pseudo-terminal, standing in for a device on a serial port:
// the code under test opens slavePath() as its port, the test talks through
// the master side.
class PtyPeer {
 public:
  using Predicate = std::function<bool(const std::string& received)>;
  static constexpr std::chrono::milliseconds kDefaultLimit{5000};

  PtyPeer();
  ~PtyPeer();
  PtyPeer(const PtyPeer&) = delete;
  PtyPeer& operator=(const PtyPeer&) = delete;

  // False when the pseudo-terminal could not be set up; error() says why.
  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  const std::string& slavePath() const { return slavePath_; }

  // Writes every byte; false when the master is closed or the write fails.
  bool Write(std::string_view bytes);
  // Reads until `done` holds for everything received since the last read
  // returned, or until `limit` runs out; returns what was received and
  // consumes it.
  std::string ReadUntil(const Predicate& done, std::chrono::milliseconds limit = kDefaultLimit);
  // Reads up to and including the next CR; bytes after it stay for the next
  // read. Empty when no CR arrived within `limit`.
  std::string ReadLine(std::chrono::milliseconds limit = kDefaultLimit);
  // Returns whatever has arrived by now without waiting, and consumes it.
  std::string ReadPending();
  // Closes the master, as if the device had been unplugged.
  void CloseMaster();

 private:
  // Appends what arrives within `limit` to received_; false on timeout or error.
  bool ReceiveMore(std::chrono::steady_clock::time_point deadline);

  int master_ = -1;
  // Kept open so that the terminal and its settings outlive the port's opens
  // and closes.
  int slave_ = -1;
  std::string slavePath_;
  std::string error_;
  std::string received_;
};

}  // namespace torvane
