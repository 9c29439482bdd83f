#include "platform/event.h"

#include <map>

namespace torvane {

void ManualResetEvent::Set() {
  {
    std::lock_guard lock(mutex_);
    signalled_ = true;
  }
  changed_.notify_all();
}

void ManualResetEvent::Reset() {
  std::lock_guard lock(mutex_);
  signalled_ = false;
}

bool ManualResetEvent::IsSet() const {
  std::lock_guard lock(mutex_);
  return signalled_;
}

void ManualResetEvent::Wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return signalled_; });
}

bool ManualResetEvent::WaitFor(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, limit, [this] { return signalled_; });
}

namespace {

struct EventRegistry {
  std::mutex mutex;
  std::map<std::string, std::shared_ptr<ManualResetEvent>> events;
};

EventRegistry& Registry() {
  static EventRegistry registry;
  return registry;
}

}  // namespace

std::shared_ptr<ManualResetEvent> OpenNamedEvent(const std::string& name) {
  EventRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  auto& event = registry.events[name];
  if (!event) event = std::make_shared<ManualResetEvent>();
  return event;
}

std::shared_ptr<ManualResetEvent> FindNamedEvent(const std::string& name) {
  EventRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  auto found = registry.events.find(name);
  return found == registry.events.end() ? nullptr : found->second;
}

}  // namespace torvane
