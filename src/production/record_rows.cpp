#include "production/record_rows.h"

#include "production/xml_cell_text.h"

namespace torvane {

namespace {

constexpr std::string_view kRowStart = "   <Row>\r\n";
constexpr std::string_view kRowEnd = "   </Row>\r\n";
constexpr std::string_view kCellEnd = "</Data></Cell>\r\n";

constexpr int DataColumn(int page) {
  return 3 * page + 3;
}

}  // namespace

RecordRows& RecordRows::EmptyRow() {
  text_ += kRowStart;
  text_ += kRowEnd;
  return *this;
}

RecordRows& RecordRows::LabelRow(std::string_view label) {
  text_ += kRowStart;
  IndexedCell(1, label);
  text_ += kRowEnd;
  return *this;
}

RecordRows& RecordRows::ValueRow(std::string_view label, std::string_view value) {
  text_ += kRowStart;
  IndexedCell(1, label);
  IndexedCell(2, XmlCellTextOfText(value));
  text_ += kRowEnd;
  return *this;
}

RecordRows& RecordRows::UnindexedValueRow(std::string_view label, std::string_view value) {
  text_ += kRowStart;
  Cell(label);
  IndexedCell(2, XmlCellTextOfText(value));
  text_ += kRowEnd;
  return *this;
}

RecordRows& RecordRows::ColumnHeaderRows() {
  text_ += kRowStart;
  IndexedCell(1, "Date:");
  IndexedCell(2, "Time:");
  IndexedCell(4, "UID");
  for (int page = 1; page <= kPageCount; ++page) {
    IndexedCell(DataColumn(page), "Page " + std::to_string(page));
  }
  text_ += kRowEnd;
  text_ += kRowStart;
  for (int page = 1; page <= kPageCount; ++page) {
    IndexedCell(DataColumn(page), "Data:");
    IndexedCell(DataColumn(page) + 1, "Lock:");
  }
  text_ += kRowEnd;
  return *this;
}

RecordRows& RecordRows::Record(std::string_view stamp, std::string_view uid,
                               const RecordedPages& pages, std::string_view note) {
  DataRow(stamp, uid, pages, true, note);
  DataRow(stamp, uid, pages, false, note);
  return EmptyRow();
}

std::string RecordRows::HexPageCells(const RecordedPages& pages) {
  RecordRows cells;
  cells.PageCells(pages, true);
  return cells.text_;
}

void RecordRows::DataRow(std::string_view stamp, std::string_view uid, const RecordedPages& pages,
                         bool hex, std::string_view note) {
  // "dd/mm/yy;hh:mm:ss": a shorter stamp leaves the time cell empty.
  constexpr std::size_t kTimeStart = 9;
  const std::string_view time =
      stamp.size() > kTimeStart ? stamp.substr(kTimeStart, 8) : std::string_view();
  text_ += kRowStart;
  Cell(XmlCellTextOfBytes(stamp.substr(0, 8)));
  Cell(XmlCellTextOfBytes(time));
  Cell({});
  Cell(XmlCellTextOfBytes(uid));
  Cell({});
  PageCells(pages, hex);
  if (!note.empty()) Cell(XmlCellTextOfText(note));
  text_ += kRowEnd;
}

void RecordRows::PageCells(const RecordedPages& pages, bool hex) {
  for (const RecordedPage& page : pages) {
    Cell(XmlCellTextOfBytes(hex ? page.hexText : page.asciiText));
    Cell(page.lockMark ? "X" : "");
    Cell({});
  }
}

void RecordRows::IndexedCell(int column, std::string_view escaped) {
  text_ += "    <Cell ss:Index=\"" + std::to_string(column) + "\"><Data ss:Type=\"String\">";
  text_ += escaped;
  text_ += kCellEnd;
}

void RecordRows::Cell(std::string_view escaped) {
  text_ += "    <Cell><Data ss:Type=\"String\">";
  text_ += escaped;
  text_ += kCellEnd;
}

}  // namespace torvane
