#pragma once

#include <string>

#include "production/complete_row.h"
#include "production/csv_line_source.h"
#include "production/csv_source_messages.h"

namespace torvane {

// Complete data sets from a CSV file: carrier ID with its format, offset and
// length, the data and lock flags of pages 3 to 17, and a done column.
class CompleteCsvSource : public CsvLineSource {
 public:
  explicit CompleteCsvSource(ProductionContext& context)
      : CsvLineSource(context, SourceKind::CompleteCsvFile) {}

  // "NextComplete": the first row not done, when writable, becomes the pages
  // and lock flags of the set.
  PrepareResult Prepare() override;
  bool placesCounterPage() const override { return false; }
  std::optional<CarrierIdPlace> PreparedPlace() const override;

  // Fills the row of the first line not done and returns its carrier ID field;
  // empty when there is none. ReadNextCompleteLine() then holds the line's text.
  std::string ReadNextCompleteRow();
  const std::string& ReadNextCompleteLine() const { return line_; }
  const CompleteRow& row() const { return row_; }

 private:
  void ComposeCompleteDataSet();
  // Why the selected row cannot be written as it stands.
  CsvSourceFault RowFault() const;

  CompleteRow row_;
  std::string line_;
};

}  // namespace torvane
