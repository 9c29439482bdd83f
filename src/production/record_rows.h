#pragma once

#include <array>
#include <string>
#include <string_view>

#include "transponder/page_state.h"

namespace torvane {

// What one record shows of a page: its two texts, both empty when the page is
// not recorded, and whether its lock mark is set.
struct RecordedPage {
  std::string hexText;
  std::string asciiText;
  bool lockMark = false;

  bool operator==(const RecordedPage&) const = default;
};
using RecordedPages = std::array<RecordedPage, kPageCount>;

// Builds the row lines of a record file. Values are escaped here; labels are
// the station's own.
class RecordRows {
 public:
  RecordRows& EmptyRow();
  // A label in column 1 alone.
  RecordRows& LabelRow(std::string_view label);
  // A label in column 1 and a value (INI text) in column 2.
  RecordRows& ValueRow(std::string_view label, std::string_view value);
  // A label placed without an index, then a value in column 2.
  RecordRows& UnindexedValueRow(std::string_view label, std::string_view value);
  // "Date:", "Time:", "UID" and "Page n", then "Data:" and "Lock:" of every page.
  RecordRows& ColumnHeaderRows();
  // The hexadecimal row, the ASCII row and an empty row. The UID is the reader's
  // bytes, empty when not recorded. A note goes into the column after the last
  // page's, in both rows.
  RecordRows& Record(std::string_view stamp, std::string_view uid, const RecordedPages& pages,
                     std::string_view note = {});
  // The page cells of a record's hexadecimal row: with a carrier ID among them,
  // they tell its record from every other.
  static std::string HexPageCells(const RecordedPages& pages);

  const std::string& text() const { return text_; }

 private:
  void DataRow(std::string_view stamp, std::string_view uid, const RecordedPages& pages, bool hex,
               std::string_view note);
  void PageCells(const RecordedPages& pages, bool hex);
  void IndexedCell(int column, std::string_view escaped);
  void Cell(std::string_view escaped);

  std::string text_;
};

}  // namespace torvane
