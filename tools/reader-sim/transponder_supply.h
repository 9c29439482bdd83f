#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "transponder.h"

namespace torvane::sim {

// The transponders that have been on the antenna and the one there now. Pages
// are numbered 1 to 17. Not thread-safe.
class TransponderSupply {
 public:
  TransponderSupply(std::uint32_t firstUid, bool startEmpty, bool swapAfterLock);

  const Transponder* onAntenna() const;
  std::optional<std::size_t> antennaIndex() const { return antenna_; }
  const std::vector<Transponder>& all() const { return all_; }
  // Grows with every change, so a watcher knows when to save.
  std::uint64_t revision() const { return revision_; }

  // A blank transponder with the next UID that is not yet on record.
  void PlaceBlank();
  // UIDs are unique: a transponder with a UID on record is that transponder
  // put back (with the given memory), not a new one.
  void Place(const Transponder& transponder);
  void Remove();
  // False with no transponder on the antenna, or when the page is locked.
  bool Write(int page, const Page& bytes);
  // False with no transponder on the antenna.
  bool Lock(int page);
  // A timing request after a lock starts the next production cycle: with swap
  // after lock, a fresh transponder takes the locked one's place.
  void NoteTimingRequest();

  using Clock = std::chrono::steady_clock;
  // With a delay above zero: that long after the last acknowledged lock, the
  // locked transponder is taken away and a fresh one put on the antenna.
  void SetSwapDelay(std::chrono::milliseconds delay) { swapDelay_ = delay; }
  // Brings the supply up to `now`, making a swap that has come due; locks are
  // timed by the last time given here.
  void AdvanceTo(Clock::time_point now);

 private:
  Transponder* current();
  std::optional<std::size_t> Find(const std::string& uid) const;

  std::vector<Transponder> all_;
  std::optional<std::size_t> antenna_;
  std::uint32_t nextUid_;
  bool swapAfterLock_;
  bool lockedSincePlacement_ = false;
  std::chrono::milliseconds swapDelay_{0};
  Clock::time_point now_{};
  Clock::time_point lastLock_{};
  std::uint64_t revision_ = 0;
};

}  // namespace torvane::sim
