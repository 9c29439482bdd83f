#pragma once

#include <optional>
#include <string>

#include "platform/result.h"
#include "production/in_flight_entry.h"
#include "production/in_flight_file.h"
#include "production/production_context.h"

namespace torvane {

// Keeps the promise that no carrier ID goes to two transponders across a
// crash: the carrier ID of a cycle is on disk before its first page write, and
// one found there later is treated as used. The record holds the last carrier
// ID a cycle began to write; a good cycle leaves it there, settled.
class InFlightSettlement {
 public:
  explicit InFlightSettlement(ProductionContext& context) : context_(context) {}

  Status Record(const InFlightEntry& entry) const;
  // The entry on disk; nothing when there is none.
  Result<std::optional<InFlightEntry>> Read() const { return file().Read(); }
  // The cycle ended knowing the outcome: its carrier ID is no longer in flight.
  Status Clear() const;
  // Makes sure the source of the carrier ID in flight has moved past it: the
  // counter of its set file and, for the set in use, in memory; the CSV line
  // marked done. Returns the entry when the source had not moved on yet, so
  // that its cycle ended unknown; nothing when it had. A failure carries the
  // entry where it could be read.
  Result<std::optional<InFlightEntry>> Settle() const;

  // What the operator is told after a start that found a carrier ID in flight.
  static std::string RestartMessage(const InFlightEntry& entry);
  // What the operator is told when one cannot be settled; the entry, where it
  // could be read, says what to do by hand.
  static std::string UnsettledMessage(const std::string& reason,
                                      const std::optional<InFlightEntry>& entry);
  // After a start that wrote the record of the transponder a stop interrupted.
  static std::string RecoveredMessage(const InFlightEntry& entry);
  // When that record could not be written.
  static std::string RecordNotRecoveredMessage(const std::string& reason,
                                               const InFlightEntry& entry);
  // For standard error, when the station ends with records held only in memory;
  // `kept` tells whether the in-flight entry holds the last one.
  static std::string HeldAtEndMessage(const std::string& held, bool kept);
  // For standard error, when done marks of a CSV file could not be written at the end.
  static std::string MarksHeldAtEndMessage(const std::string& reason);

 private:
  // True when the source had to move.
  Result<bool> MoveCounterPast(const InFlightEntry& entry) const;
  Result<bool> MarkLinePast(const InFlightEntry& entry) const;
  // In the working directory as it is now: the window learns it only at start-up.
  InFlightFile file() const { return InFlightFile(context_.workingDirectory); }

  ProductionContext& context_;
};

}  // namespace torvane
