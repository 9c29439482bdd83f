#include "line_server.h"

#include <sys/prctl.h>

namespace torvane::sim {

namespace {
// A failing read on a device nobody holds open is retried after this pause.
constexpr std::chrono::milliseconds kReadRetry{5};
}  // namespace

void LineServer::Run() {
  // Paced bytes are timed by short sleeps; the kernel's default slack of 50 us
  // per sleep would stretch every answer well beyond its line time.
  ::prctl(PR_SET_TIMERSLACK, 1UL);
  while (endpoint_.WaitReadable() == PtyEndpoint::Wait::kReadable) {
    const Result<std::string> bytes = endpoint_.Read();
    const bool awake = bytes.ok() ? Serve(bytes.value)
                                  : endpoint_.SleepUntil(PtyEndpoint::Clock::now() + kReadRetry);
    if (!awake) return;
  }
}

bool LineServer::Serve(const std::string& bytes) {
  const auto seen = PtyEndpoint::Clock::now();
  for (const char byte : bytes) {
    const auto arrived = received_.Carry(seen);
    const auto line = assembler_.Push(byte);
    if (!line) continue;
    if (!endpoint_.SleepUntil(arrived) || !Answer(*line)) return false;
  }
  return true;
}

bool LineServer::Answer(const std::string& line) {
  const SimulatorCore::PlannedAnswer planned = core_.Answer(line);
  if (!planned.send) return true;
  if (!endpoint_.SleepUntil(PtyEndpoint::Clock::now() + planned.delay)) return false;
  if (!SendPaced(planned.bytes)) return false;
  core_.NoteSent(planned.bytes);
  return true;
}

bool LineServer::SendPaced(const std::string& bytes) {
  if (sent_.byteTime() == LinePacer::Clock::duration::zero()) return endpoint_.Write(bytes);
  // One start for the whole answer: a byte sent late does not push the later ones back.
  const auto start = PtyEndpoint::Clock::now();
  for (const char byte : bytes) {
    const auto crossed = sent_.Carry(start);
    if (!endpoint_.SleepUntil(crossed) || !endpoint_.Write(std::string_view(&byte, 1)))
      return false;
  }
  return true;
}

}  // namespace torvane::sim
