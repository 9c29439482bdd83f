#pragma once

#include <string>
#include <string_view>

#include "transponder_supply.h"

namespace torvane::sim {

enum class CommandKind { kTiming, kReadUid, kReadPage, kWritePage, kLockPage, kUnknown };

struct Reply {
  CommandKind kind = CommandKind::kUnknown;
  std::string text;  // the answer line without its CR
};

// The reader's side of the command set: one command line in, one answer out,
// with the change it makes to the transponder on the antenna.
class ReaderProtocol {
 public:
  explicit ReaderProtocol(TransponderSupply& supply) : supply_(supply) {}

  void setTimingValue(int value) { timingValue_ = value; }
  void setNakPage(int page) { nakPage_ = page; }
  // The next `count` acknowledged page writes store their first byte changed.
  void setBadStores(int count) { badStores_ = count; }

  Reply Respond(std::string_view line);

 private:
  Reply ReadPage(std::string_view argument) const;
  Reply WritePage(std::string_view argument);
  Reply LockPage(std::string_view argument);

  TransponderSupply& supply_;
  int timingValue_ = 10;
  int nakPage_ = 0;
  int badStores_ = 0;
};

}  // namespace torvane::sim
