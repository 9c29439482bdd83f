#include "fault_plan.h"

#include <algorithm>
#include <utility>

namespace torvane::sim {

void FaultPlan::DropNext(int count) {
  dropCount_ = std::max(count, 0);
}

void FaultPlan::DelayNext(std::chrono::milliseconds delay) {
  delay_ = std::max(delay, std::chrono::milliseconds{0});
}

void FaultPlan::ReplaceNext(std::string bytes) {
  replace_ = true;
  replacement_ = std::move(bytes);
}

void FaultPlan::HoldFor(int count) {
  holdCount_ = count;
}

FaultPlan::Outgoing FaultPlan::Shape(std::string bytes) {
  if (holdCount_ > 0) {
    --holdCount_;
    return {true, std::move(bytes), {}};
  }
  if (dropCount_ > 0) {
    --dropCount_;
    return {false, {}, {}};
  }
  Outgoing outgoing{true, std::move(bytes), std::exchange(delay_, {})};
  if (std::exchange(replace_, false)) outgoing.bytes = std::exchange(replacement_, {});
  return outgoing;
}

}  // namespace torvane::sim
