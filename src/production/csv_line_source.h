#pragma once

#include <optional>

#include "production/carrier_id_source.h"
#include "production/csv_document.h"
#include "production/csv_line_marker.h"
#include "production/csv_source_file.h"
#include "production/production_context.h"

namespace torvane {

// What the two CSV sources share: the line of the prepared data set, which is
// marked done after a good transponder and is what a crash must not reuse.
class CsvLineSource : public CarrierIdSource {
 public:
  Status Advance() override;
  std::optional<InFlightEntry> InFlight() const override;
  std::string PrepareFailure() const override { return failure_; }
  // Writes the done marks held only in memory.
  Status SaveMarks() { return sourceFile_.SaveMarks(); }

 protected:
  // Why reading the file selected no line.
  enum class Shortfall { None, Unreadable, BadHeader, UsedUp, NoDelimiter };

  CsvLineSource(ProductionContext& context, SourceKind kind) : context_(context), kind_(kind) {}

  // Takes the window's fields and opens the source file; a file that cannot be
  // read is reported to the operator and gives nothing.
  const CsvDocument* LoadSourceFile();
  // Counts the error, shows the box and keeps its reason for the cycle.
  PrepareResult Refuse(const std::string& message, const std::string& reason);
  // Refuses for the shortfall of the last read; `firstLine` opens the box when
  // the file could not be read.
  PrepareResult RefuseShortfall(const std::string& firstLine);

  ProductionContext& context_;
  CsvSourceFile sourceFile_;
  std::optional<CsvLineRef> selected_;  // the line read last
  std::optional<CsvLineRef> prepared_;  // the line of the data set in the pages
  Shortfall shortfall_ = Shortfall::None;
  std::size_t pendingIndex_ = 0;  // the first line not done, when it has no delimiter
  std::string failure_;

 private:
  SourceKind kind_;
};

}  // namespace torvane
