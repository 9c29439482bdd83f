#pragma once

#include <cstdint>
#include <optional>

#include "production/production_context.h"
#include "production/production_cycle.h"

namespace torvane {

struct OutcomeCounts {
  std::uint64_t good = 0;
  std::uint64_t failed = 0;  // transponders whose programming began and failed
};

// The good and failed transponders of the current run and of the set in use.
class OutcomeTally {
 public:
  void Count(const CycleOutcome& outcome);
  // "Cont On", or a set taken into use, starts counting anew.
  void StartRun() { run_ = {}; }
  void StartSet() {
    set_ = {};
    run_ = {};
  }

  const OutcomeCounts& run() const { return run_; }
  const OutcomeCounts& set() const { return set_; }

 private:
  OutcomeCounts run_;
  OutcomeCounts set_;
};

// How many transponders the set in use may still make before "Quantity
// reached.": nothing for the CSV sources, which end with their file.
std::optional<std::uint64_t> RemainingCount(const ProductionContext& context);

}  // namespace torvane
