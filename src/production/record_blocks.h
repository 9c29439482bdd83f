#pragma once

#include <array>
#include <functional>
#include <string>

#include "config/configuration_set.h"
#include "production/record_rows.h"
#include "view/manual_log_state.h"

namespace torvane {

// The rows that describe a production run: work order, source, carrier-ID layout
// and transponder type of the set, then the column headers.
std::string ProductionHeaderBlock(const std::string& setName, const ConfigurationSet& set);
// The rows in front of every manual record: "Read" or "Write", then the column headers.
std::string ManualHeaderBlock(ManualRecordKind kind);

// The pages as a record shows them: a page that `recorded` accepts with its two
// texts and its lock mark when the set locks it, any other as empty cells.
RecordedPages RecordedPagesOf(const PageTexts& hexText, const PageTexts& asciiText,
                              const std::array<bool, kPageCount>& lockPage,
                              const std::function<bool(int index)>& recorded);

}  // namespace torvane
