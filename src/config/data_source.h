#pragma once

#include "config/configuration_set.h"

namespace torvane {

enum class DataSource { DecimalCounter, Csv, CsvComplete, FixData };

// The source that production takes from the set's flags: ".csv file" before
// ".csv file complete" before "Decimal counter"; no flag means fix data.
DataSource SourceOf(const ConfigurationSet& set);

// Sets the source's flag and clears the other three.
void SelectSource(ConfigurationSet& set, DataSource source);

}  // namespace torvane
