#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <chrono>
#include <functional>

namespace torvane::test {

// Serves events until the condition holds or the limit runs out; returns the
// condition's last value. The limit is a safety net, never a measurement: long
// enough for a sanitizer build on a busy machine.
inline bool WaitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds limit = std::chrono::milliseconds(30000)) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > limit.count()) return condition();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

}  // namespace torvane::test
