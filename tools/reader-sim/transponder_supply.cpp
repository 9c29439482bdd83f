#include "transponder_supply.h"

#include <algorithm>
#include <cstdio>

namespace torvane::sim {

namespace {

std::string UidText(std::uint32_t number) {
  char text[9];
  std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(number));
  return text;
}

}  // namespace

TransponderSupply::TransponderSupply(std::uint32_t firstUid, bool startEmpty, bool swapAfterLock)
    : nextUid_(firstUid), swapAfterLock_(swapAfterLock) {
  if (!startEmpty) PlaceBlank();
}

const Transponder* TransponderSupply::onAntenna() const {
  return antenna_ ? &all_[*antenna_] : nullptr;
}

Transponder* TransponderSupply::current() {
  return antenna_ ? &all_[*antenna_] : nullptr;
}

std::optional<std::size_t> TransponderSupply::Find(const std::string& uid) const {
  const auto found =
      std::find_if(all_.begin(), all_.end(), [&](const Transponder& t) { return t.uid == uid; });
  if (found == all_.end()) return std::nullopt;
  return static_cast<std::size_t>(found - all_.begin());
}

void TransponderSupply::PlaceBlank() {
  Transponder blank;
  do {
    blank.uid = UidText(nextUid_++);
  } while (Find(blank.uid));
  Place(blank);
}

void TransponderSupply::Place(const Transponder& transponder) {
  antenna_ = Find(transponder.uid);
  if (antenna_) {
    all_[*antenna_] = transponder;
  } else {
    all_.push_back(transponder);
    antenna_ = all_.size() - 1;
  }
  lockedSincePlacement_ = false;
  ++revision_;
}

void TransponderSupply::Remove() {
  if (!antenna_) return;
  antenna_.reset();
  lockedSincePlacement_ = false;
  ++revision_;
}

bool TransponderSupply::Write(int page, const Page& bytes) {
  Transponder* transponder = current();
  if (transponder == nullptr || transponder->locked[page - 1]) return false;
  transponder->pages[page - 1] = bytes;
  ++revision_;
  return true;
}

bool TransponderSupply::Lock(int page) {
  Transponder* transponder = current();
  if (transponder == nullptr) return false;
  transponder->locked[page - 1] = true;
  lockedSincePlacement_ = true;
  lastLock_ = now_;
  ++revision_;
  return true;
}

void TransponderSupply::AdvanceTo(Clock::time_point now) {
  now_ = now;
  if (swapDelay_.count() > 0 && lockedSincePlacement_ && now_ - lastLock_ >= swapDelay_) {
    PlaceBlank();
  }
}

void TransponderSupply::NoteTimingRequest() {
  if (swapAfterLock_ && lockedSincePlacement_) PlaceBlank();
}

}  // namespace torvane::sim
