// Exchange turnaround through the serial link: a peer on a pseudo-terminal
// answers every command line at once, and the station side sends its next
// command as soon as WaitAnswer returns. Measured at the peer: from writing an
// answer's CR to reading the first byte of the next command.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "link/serial_link.h"
#include "support/pty_peer.h"

namespace {

using Clock = std::chrono::steady_clock;
using Micros = std::chrono::duration<double, std::micro>;

constexpr int kExchanges = 10000;
constexpr std::chrono::milliseconds kAnswerLimit{1000};

// Answers every line with "ACK" and records each turnaround.
std::vector<double> RunPeer(torvane::PtyPeer& peer) {
  std::vector<double> turnarounds;
  turnarounds.reserve(kExchanges);
  std::string command = peer.ReadLine();
  while (!command.empty()) {
    peer.Write("ACK\r");
    const auto answered = Clock::now();
    if (turnarounds.size() == kExchanges) break;
    std::string next =
        peer.ReadUntil([](const std::string& received) { return !received.empty(); });
    const auto firstByte = Clock::now();
    if (next.empty()) break;
    turnarounds.push_back(Micros(firstByte - answered).count());
    if (next.find('\r') == std::string::npos) next += peer.ReadLine();
    command = next;
  }
  return turnarounds;
}

double Percentile(const std::vector<double>& sorted, double fraction) {
  const auto index = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1));
  return sorted[index];
}

}  // namespace

int main() {
  torvane::PtyPeer peer;
  if (!peer.ok()) {
    std::fprintf(stderr, "pseudo-terminal: %s\n", peer.error().c_str());
    return 1;
  }
  torvane::SerialLink link;
  if (!link.OpenComPort(peer.slavePath(), 115200, 8, 0, 0, 0) || !link.receiveThreadRunning()) {
    std::fprintf(stderr, "port: %s\n", link.lastError().c_str());
    return 1;
  }

  std::vector<double> turnarounds;
  std::thread peerThread([&] { turnarounds = RunPeer(peer); });
  link.setReadBusy(true);
  link.ResetAnswerEvent();
  int failures = 0;
  for (int i = 0; i <= kExchanges; ++i) {
    if (link.SendLine("RD 1\r") != 0 || !link.WaitAnswer(kAnswerLimit)) ++failures;
  }
  link.setReadBusy(false);
  peerThread.join();
  link.CloseComPort();

  if (turnarounds.empty()) {
    std::fprintf(stderr, "no exchange completed\n");
    return 1;
  }
  std::sort(turnarounds.begin(), turnarounds.end());
  std::printf("exchanges: %zu, failed: %d\n", turnarounds.size(), failures);
  std::printf("turnaround median: %.1f us\n", Percentile(turnarounds, 0.5));
  std::printf("turnaround p99:    %.1f us\n", Percentile(turnarounds, 0.99));
  std::printf("turnaround max:    %.1f us\n", turnarounds.back());
  return failures == 0 ? 0 : 1;
}
