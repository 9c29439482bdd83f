#pragma once

#include <optional>
#include <string>

#include "platform/result.h"
#include "production/in_flight_entry.h"
#include "transponder/carrier_id_place.h"

namespace torvane {

// What preparing a data set gave; the values are the cycle's result codes.
enum class PrepareResult {
  Ready = 1,
  WrongFormat = 2,
  CounterPassedLimit = 3,
  QuantityReached = 4
};

// One way of supplying the data set of the next transponder.
class CarrierIdSource {
 public:
  virtual ~CarrierIdSource() = default;

  // Puts the next data set into the set's page bytes and the page texts.
  virtual PrepareResult Prepare() = 0;
  // After a good transponder: moves past the data set just written. A failure
  // carries the operator's message.
  virtual Status Advance() = 0;
  // The prepared carrier ID as a crash must never give it out again; nothing
  // when the source has no carrier IDs of its own.
  virtual std::optional<InFlightEntry> InFlight() const = 0;
  // Where the prepared carrier ID lies; nothing where the set's layout says.
  virtual std::optional<CarrierIdPlace> PreparedPlace() const { return std::nullopt; }
  // Whether the page counter is placed after the data set is prepared.
  virtual bool placesCounterPage() const { return true; }
  // One line on why the last Prepare() gave no data set, when the source has
  // already told the operator in its own message box; empty otherwise.
  virtual std::string PrepareFailure() const { return {}; }
};

}  // namespace torvane
