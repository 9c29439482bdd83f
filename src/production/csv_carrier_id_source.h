#pragma once

#include <string>

#include "production/csv_line_source.h"

namespace torvane {

// Carrier IDs from a CSV file of lines "carrier ID", delimiter, done column:
// the first line not yet marked done.
class CsvCarrierIdSource : public CsvLineSource {
 public:
  explicit CsvCarrierIdSource(ProductionContext& context)
      : CsvLineSource(context, SourceKind::CsvFile) {}

  // "NextDataSet": the next carrier ID of the right length becomes the set's
  // carrier ID and is composed into the pages.
  PrepareResult Prepare() override;

  // The carrier ID of the first line not done; empty when there is none.
  std::string ReadNextCsvCarrierId();
};

}  // namespace torvane
