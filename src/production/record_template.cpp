#include "production/record_template.h"
#include "view/page_geometry.h"

namespace torvane {

namespace {

constexpr std::string_view kHead =
    "<?xml version=\"1.0\"?>\r\n"
    "<?mso-application progid=\"Excel.Sheet\"?>\r\n"
    "<Workbook xmlns=\"urn:schemas-microsoft-com:office:spreadsheet\"\r\n"
    " xmlns:o=\"urn:schemas-microsoft-com:office:office\"\r\n"
    " xmlns:x=\"urn:schemas-microsoft-com:office:excel\"\r\n"
    " xmlns:ss=\"urn:schemas-microsoft-com:office:spreadsheet\"\r\n"
    " xmlns:html=\"http://www.w3.org/TR/REC-html40\">\r\n"
    " <DocumentProperties xmlns=\"urn:schemas-microsoft-com:office:office\">\r\n"
    "  <Version>11.6360</Version>\r\n"
    " </DocumentProperties>\r\n"
    " <ExcelWorkbook xmlns=\"urn:schemas-microsoft-com:office:excel\">\r\n"
    "  <WindowHeight>10005</WindowHeight>\r\n"
    "  <WindowWidth>10005</WindowWidth>\r\n"
    "  <WindowTopX>120</WindowTopX>\r\n"
    "  <WindowTopY>135</WindowTopY>\r\n"
    "  <ProtectStructure>False</ProtectStructure>\r\n"
    "  <ProtectWindows>False</ProtectWindows>\r\n"
    " </ExcelWorkbook>\r\n"
    " <Styles>\r\n"
    "  <Style ss:ID=\"Default\" ss:Name=\"Normal\">\r\n"
    "   <Alignment ss:Vertical=\"Bottom\"/>\r\n"
    "   <Borders/>\r\n"
    "   <Font/>\r\n"
    "   <Interior/>\r\n"
    "   <NumberFormat/>\r\n"
    "   <Protection/>\r\n"
    "  </Style>\r\n"
    "  <Style ss:ID=\"s21\">\r\n"
    "   <NumberFormat ss:Format=\"@\"/>\r\n"
    "  </Style>\r\n"
    "  <Style ss:ID=\"s22\">\r\n"
    "   <NumberFormat ss:Format=\"0\"/>\r\n"
    "  </Style>\r\n"
    " </Styles>\r\n"
    " <Worksheet ss:Name=\"Tabelle1\">\r\n";

constexpr std::string_view kClosing =
    "  </Table>\r\n"
    " </Worksheet>\r\n"
    "</Workbook>\r\n";

std::string Column(std::string_view width) {
  return "   <Column ss:StyleID=\"s22\" ss:Width=\"" + std::string(width) + "\"/>\r\n";
}

}  // namespace

std::string RecordFileTemplate(int expandedColumnCount) {
  std::string text(kHead);
  text += "  <Table ss:ExpandedColumnCount=\"" + std::to_string(expandedColumnCount) +
          "\" ss:ExpandedRowCount=\"1048576\" x:FullColumns=\"1\"\r\n";
  text += "   x:FullRows=\"1\" ss:StyleID=\"s21\" ss:DefaultColumnWidth=\"60\">\r\n";
  // Date, time, a spacer and the UID; then data, lock mark and spacer of each page.
  for (const char* width : {"95.0", "45.0", "5.0", "65.0"}) text += Column(width);
  for (int page = 1; page <= kPageCount; ++page) {
    for (const char* width : {"5.0", "120.0", "30.0"}) text += Column(width);
  }
  text += kClosing;
  return text;
}

std::string_view RecordClosingLines() {
  return kClosing;
}

}  // namespace torvane
