#include "config/data_source.h"

namespace torvane {

DataSource SourceOf(const ConfigurationSet& set) {
  if (set.sourceCsv) return DataSource::Csv;
  if (set.sourceCsvComplete) return DataSource::CsvComplete;
  if (set.sourceDecimalCounter) return DataSource::DecimalCounter;
  return DataSource::FixData;
}

void SelectSource(ConfigurationSet& set, DataSource source) {
  set.sourceDecimalCounter = source == DataSource::DecimalCounter;
  set.sourceCsv = source == DataSource::Csv;
  set.sourceCsvComplete = source == DataSource::CsvComplete;
  set.sourceFixData = source == DataSource::FixData;
}

}  // namespace torvane
