#pragma once

#include <string>
#include <string_view>

namespace torvane {

// Files of the record subsystem that live in the working directory.
constexpr std::string_view kDefaultProductionRecordFile = "Torvane.xml";
constexpr std::string_view kDefaultManualRecordFile = "manual_log.xml";
constexpr std::string_view kWaitingRecordsFile = "Torvane_waiting_records.txt";
// Notes a record append while it runs.
constexpr std::string_view kRecordAppendJournal = "Torvane_record_append.txt";

std::string FileInFolder(const std::string& folder, std::string_view name);

}  // namespace torvane
