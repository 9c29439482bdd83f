#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "production/production_record.h"
#include "transponder/page_codec.h"

namespace torvane::test {

// The record of the golden file: decimal counter, TI, pages 1 and 2 selected,
// page 1 locked.
inline ProductionRecord SampleRecord() {
  ProductionRecord record;
  record.setName = "Line 4 wafers";
  ConfigurationSet& set = record.set;
  set.operatorBadge = "B-17";
  set.partNumber = "PN-300";
  set.workOrderNumber = "WO-2026-0042";
  set.quantity = "25";
  set.sourceDecimalCounter = true;
  set.carrierIdOffset = "0";
  set.carrierIdLength = "8";
  set.lockCarrierId = true;
  set.memoryPage = "1";
  set.typeTi = true;
  set.lockPage[0] = true;
  set.lockPage[2] = true;  // not selected: no mark
  for (int i = 0; i < kPageCount; ++i) {
    record.hexText[i] = "00 00 00 00 00 00 00 00";
    record.asciiText[i] = HexToAscii(record.hexText[i]);
    record.pageText[i] = record.hexText[i];
  }
  record.hexText[0] = record.pageText[0] = "30 30 30 30 30 30 34 32";
  record.hexText[1] = record.pageText[1] = "41 42 43 44 45 46 47 48";
  record.asciiText[0] = HexToAscii(record.hexText[0]);
  record.asciiText[1] = HexToAscii(record.hexText[1]);
  record.pageSelected[0] = record.pageSelected[1] = 1;
  record.uidText = "E0040100";
  return record;
}

// The lines of a text cut at `separator`; a final separator ends the last line.
inline std::vector<std::string> Lines(std::string_view text, std::string_view separator) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(start, end - start));
    start = end + separator.size();
  }
  return lines;
}

}  // namespace torvane::test
