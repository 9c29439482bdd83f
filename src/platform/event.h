#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

namespace torvane {

// A manual-reset event: once set it stays set, releasing every waiter, until reset.
class ManualResetEvent {
 public:
  void Set();
  void Reset();
  bool IsSet() const;
  void Wait();
  // True when the event was (or became) set within the limit.
  bool WaitFor(std::chrono::milliseconds limit);

  // Runs `publish` under the event's lock, then sets the event, so that a waiter
  // using WaitForThen sees everything `publish` wrote without a data race.
  template <typename F>
  void SetAfter(F&& publish) {
    {
      std::lock_guard lock(mutex_);
      publish();
      signalled_ = true;
    }
    changed_.notify_all();
  }

  // Waits like WaitFor; when the event is set, runs `take` under the event's lock.
  template <typename F>
  bool WaitForThen(std::chrono::milliseconds limit, F&& take) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, limit, [this] { return signalled_; })) return false;
    take();
    return true;
  }

  // Like WaitForThen, and resets the event in the same critical section, so a
  // set that follows the take is never lost to the reset.
  template <typename F>
  bool WaitForTakeAndReset(std::chrono::milliseconds limit, F&& take) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, limit, [this] { return signalled_; })) return false;
    take();
    signalled_ = false;
    return true;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool signalled_ = false;
};

// Events registered by name in the process: the same name always yields the
// same event. Creates the event, not set, when the name is new.
std::shared_ptr<ManualResetEvent> OpenNamedEvent(const std::string& name);
// The event registered under `name`, or null when there is none.
std::shared_ptr<ManualResetEvent> FindNamedEvent(const std::string& name);

}  // namespace torvane
