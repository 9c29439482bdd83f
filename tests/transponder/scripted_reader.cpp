#include "transponder/scripted_reader.h"

#include <chrono>

namespace torvane::test {

ScriptedReader::ScriptedReader(std::vector<std::optional<std::string>> answers)
    : answers_(std::move(answers)), thread_([this] { Serve(); }) {}

ScriptedReader::~ScriptedReader() {
  stop_ = true;
  thread_.join();
}

std::vector<std::string> ScriptedReader::Received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

std::vector<std::string> ScriptedReader::ReceivedOnceThere(std::size_t count) const {
  constexpr std::chrono::seconds kDeadline{10};
  std::unique_lock lock(mutex_);
  arrived_.wait_for(lock, kDeadline, [&] { return received_.size() >= count; });
  return received_;
}

void ScriptedReader::Serve() {
  constexpr std::chrono::milliseconds kPoll{20};
  std::size_t next = 0;
  while (!stop_) {
    std::string line = peer_.ReadLine(kPoll);
    if (line.empty()) continue;
    line.pop_back();
    {
      std::lock_guard lock(mutex_);
      received_.push_back(line);
    }
    arrived_.notify_all();
    if (next < answers_.size() && answers_[next]) peer_.Write(*answers_[next] + "\r");
    ++next;
  }
}

}  // namespace torvane::test
