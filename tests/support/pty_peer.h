#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace torvane {

// One end of a pseudo-terminal that a test talks through, in raw mode. A new
// peer creates the terminal and stands in for a device: the code under test
// opens slavePath() as its port. A peer attached to an existing terminal
// device (a simulated reader's) stands in for a station instead, and holds the
// device's lock as a station does.
class PtyPeer {
 public:
  using Predicate = std::function<bool(const std::string& received)>;
  // Only a lost answer runs into it: long enough for a sanitizer build on a
  // busy machine.
  static constexpr std::chrono::milliseconds kDefaultLimit{30000};

  PtyPeer();
  explicit PtyPeer(const std::string& devicePath);
  ~PtyPeer();
  PtyPeer(const PtyPeer&) = delete;
  PtyPeer& operator=(const PtyPeer&) = delete;

  // False when the terminal could not be set up; error() says why.
  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  const std::string& slavePath() const { return slavePath_; }

  // Writes every byte; false when the peer is closed or the write fails.
  bool Write(std::string_view bytes);
  // Reads until `done` (if given) holds for everything received since the last
  // read returned, or until `limit` runs out; returns what was received and
  // consumes it.
  std::string ReadUntil(const Predicate& done, std::chrono::milliseconds limit = kDefaultLimit);
  // Reads up to and including the next CR; bytes after it stay for the next
  // read. Empty when no CR arrived within `limit`.
  std::string ReadLine(std::chrono::milliseconds limit = kDefaultLimit);
  // Returns whatever has arrived by now without waiting, and consumes it.
  std::string ReadPending() { return ReadUntil(nullptr, std::chrono::milliseconds(0)); }
  // True when the other end hangs up within `limit`.
  bool WaitHangUp(std::chrono::milliseconds limit = kDefaultLimit);
  // Closes this end, as if the device had been unplugged.
  void Close();

 private:
  // Appends what arrives before the deadline to received_; false on timeout or error.
  bool ReceiveMore(std::chrono::steady_clock::time_point deadline);
  void OpenRaw(const std::string& path, int& fd);

  int fd_ = -1;
  // A new terminal's other end, kept open so that the terminal and its
  // settings outlive the port's opens and closes.
  int slave_ = -1;
  std::string slavePath_;
  std::string error_;
  std::string received_;
};

}  // namespace torvane
