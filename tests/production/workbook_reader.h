#pragma once

#include <QFile>
#include <QXmlStreamReader>
#include <string>
#include <vector>

namespace torvane::test {

// A record file as a spreadsheet program sees it: the rows of its table, each
// a list of cell texts by column (index 0 is column 1), or the parser's error.
struct Workbook {
  std::vector<std::vector<std::string>> rows;
  std::string error;
  int expandedColumnCount = 0;
};

inline Workbook ReadWorkbook(const std::string& path) {
  Workbook book;
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    book.error = "cannot open";
    return book;
  }
  const QString ss = QStringLiteral("urn:schemas-microsoft-com:office:spreadsheet");
  QXmlStreamReader xml(&file);
  std::size_t column = 0;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement() || xml.namespaceUri() != ss) continue;
    if (xml.name() == QLatin1String("Table")) {
      book.expandedColumnCount = xml.attributes().value(ss, "ExpandedColumnCount").toInt();
    } else if (xml.name() == QLatin1String("Row")) {
      book.rows.emplace_back();
      column = 0;
    } else if (xml.name() == QLatin1String("Cell")) {
      const auto index = xml.attributes().value(ss, "Index");
      column = index.isEmpty() ? column + 1 : static_cast<std::size_t>(index.toInt());
    } else if (xml.name() == QLatin1String("Data")) {
      auto& row = book.rows.back();
      if (row.size() < column) row.resize(column);
      row[column - 1] = xml.readElementText().toStdString();
    }
  }
  if (xml.hasError()) book.error = xml.errorString().toStdString();
  return book;
}

}  // namespace torvane::test
