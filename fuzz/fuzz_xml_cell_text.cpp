// Cell text is always well-formed XML 1.0 that reads back as what was given:
// page bytes as Latin-1, INI text by the station's text rule; only the
// characters XML cannot carry come back as U+FFFD.
#include <fuzzer/FuzzedDataProvider.h>

#include <QString>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <string>

#include "fuzz_support.h"
#include "platform/ini_text.h"
#include "production/xml_cell_text.h"

namespace {

// What a reader of the record file gets back for `text`.
QString Expected(const QString& text) {
  QString expected;
  for (const QChar c : text) {
    const char16_t code = c.unicode();
    const bool kept = code >= 0x20 || code == '\t' || code == '\n' || code == '\r';
    expected += (kept && code != 0xFFFE && code != 0xFFFF) ? c : QChar(0xFFFD);
  }
  return expected;
}

QString ReadBack(const std::string& cellText) {
  const std::string document = "<Data>" + cellText + "</Data>";
  QXmlStreamReader xml(QByteArray::fromStdString(document));
  QString text;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) text = xml.readElementText();
  }
  FUZZ_CHECK(!xml.hasError());
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool pageBytes = input.ConsumeBool();
  const std::string given = input.ConsumeRemainingBytesAsString();
  const QByteArray bytes = QByteArray::fromStdString(given);

  if (pageBytes) {
    const std::string cell = torvane::XmlCellTextOfBytes(given);
    FUZZ_CHECK(torvane::IsValidUtf8(cell));
    FUZZ_CHECK(ReadBack(cell) == Expected(QString::fromLatin1(bytes)));
  } else {
    const std::string cell = torvane::XmlCellTextOfText(given);
    FUZZ_CHECK(torvane::IsValidUtf8(cell));
    const std::string utf8 = torvane::IniTextToUtf8(given);
    // A leading U+FEFF is a character here, not a byte order mark to drop.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    FUZZ_CHECK(ReadBack(cell) == Expected(decoder(QByteArray::fromStdString(utf8))));
  }
  return 0;
}
