#pragma once

#include <string>

namespace torvane {

// What stands between a carrier ID typed in Manual mode and the transponder: it
// is asked before any page write and told how the write ended.
class CarrierIdWriteGate {
 public:
  virtual ~CarrierIdWriteGate() = default;
  // `carrierId` holds the bytes as they land in the transponder. False: nothing
  // may be written, and the operator has been told or has said no.
  virtual bool Admit(const std::string& carrierId) = 0;
  // After the page writes of an admitted carrier ID; `acknowledged` when both were.
  virtual void OnWritten(const std::string& carrierId, bool acknowledged) = 0;
};

}  // namespace torvane
