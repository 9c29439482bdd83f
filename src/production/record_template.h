#pragma once

#include <string>
#include <string_view>

namespace torvane {

// The record files are XML Spreadsheet 2003 workbooks. Every line ends in CR LF.
constexpr int kProductionRecordColumns = 57;
constexpr int kManualRecordColumns = 56;

// A new record file: the workbook with an empty table, ending in the closing lines.
std::string RecordFileTemplate(int expandedColumnCount);
// The lines behind the last row: "  </Table>", " </Worksheet>", "</Workbook>".
std::string_view RecordClosingLines();

}  // namespace torvane
