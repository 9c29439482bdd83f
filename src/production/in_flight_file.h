#pragma once

#include <optional>
#include <string>

#include "platform/result.h"
#include "production/in_flight_entry.h"

namespace torvane {

// The file that holds the carrier ID in flight, in the working directory.
class InFlightFile {
 public:
  static constexpr const char* kFileName = "Torvane.inflight";

  explicit InFlightFile(const std::string& workingDirectory);

  // On the disk before it returns success.
  Status Write(const InFlightEntry& entry) const;
  // Nothing when no carrier ID is in flight.
  Result<std::optional<InFlightEntry>> Read() const;
  Status Clear() const;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace torvane
