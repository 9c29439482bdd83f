#include "production/record_blocks.h"

namespace torvane {

namespace {

std::string_view TrueFalse(bool value) {
  return value ? "true" : "false";
}

void SourceRow(RecordRows& rows, const ConfigurationSet& set) {
  if (set.sourceCsv || set.sourceCsvComplete) {
    rows.ValueRow("csv file:", set.sourceFile);
  } else if (set.sourceDecimalCounter) {
    rows.ValueRow("Decimal counter:", "true");
  } else if (set.sourceFixData) {
    rows.ValueRow("fix data:", "true");
  }
}

}  // namespace

std::string ProductionHeaderBlock(const std::string& setName, const ConfigurationSet& set) {
  RecordRows rows;
  rows.EmptyRow().EmptyRow().EmptyRow();
  rows.UnindexedValueRow("Procedure:", setName).EmptyRow();
  rows.ValueRow("Operator badge ID#:", set.operatorBadge)
      .ValueRow("Part number:", set.partNumber)
      .ValueRow("Work order number:", set.workOrderNumber)
      .ValueRow("Quantity:", set.quantity)
      .EmptyRow();
  SourceRow(rows, set);
  rows.EmptyRow();
  // A complete data set carries its own carrier ID: there is no layout to state.
  const bool completeCsv = !set.sourceCsv && set.sourceCsvComplete;
  if (!completeCsv) {
    rows.ValueRow("Carrier ID Offset:", set.carrierIdOffset)
        .ValueRow("Carrier ID Length:", set.carrierIdLength)
        .ValueRow("Lock Carrier ID:", TrueFalse(set.lockCarrierId))
        .ValueRow("Memory Page:", set.memoryPage);
  }
  rows.EmptyRow();
  rows.ValueRow("Transponder type:", set.typeTi ? "TI Multipage" : "Quorvi Multipage").EmptyRow();
  return rows.ColumnHeaderRows().text();
}

std::string ManualHeaderBlock(ManualRecordKind kind) {
  RecordRows rows;
  rows.EmptyRow().EmptyRow();
  rows.LabelRow(kind == ManualRecordKind::Read ? "Read" : "Write").EmptyRow();
  return rows.ColumnHeaderRows().text();
}

RecordedPages RecordedPagesOf(const PageTexts& hexText, const PageTexts& asciiText,
                              const std::array<bool, kPageCount>& lockPage,
                              const std::function<bool(int index)>& recorded) {
  RecordedPages pages;
  for (int i = 0; i < kPageCount; ++i) {
    if (!recorded(i)) continue;
    pages[i] = {hexText[i], asciiText[i], lockPage[i]};
  }
  return pages;
}

}  // namespace torvane
