#pragma once

#include <chrono>
#include <string>

namespace torvane::sim {

// Faults waiting for the next answers. Not thread-safe.
class FaultPlan {
 public:
  struct Outgoing {
    bool send = true;
    std::string bytes;
    std::chrono::milliseconds extraDelay{0};
  };

  void DropNext(int count);  // the next `count` answers are lost
  void DelayNext(std::chrono::milliseconds delay);
  void ReplaceNext(std::string bytes);  // the next answer sent is these bytes
  // The faults set up wait until `count` more answers have gone out as they are.
  void HoldFor(int count);

  // What actually goes out instead of `bytes`; each fault is used up once.
  Outgoing Shape(std::string bytes);

 private:
  int holdCount_ = 0;
  int dropCount_ = 0;
  std::chrono::milliseconds delay_{0};
  bool replace_ = false;
  std::string replacement_;
};

}  // namespace torvane::sim
