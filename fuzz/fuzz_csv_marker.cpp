// Marking a CSV line done touches that line only: every other line stays as it
// was, the marked line only gains its mark, and afterwards reads as done, so
// its carrier ID is never handed out again. A line that cannot be marked
// leaves the file as it was.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

#include "fuzz_support.h"
#include "production/complete_row.h"
#include "production/csv_document.h"
#include "production/csv_source_file.h"

namespace {

using torvane::CsvDocument;

std::vector<std::string> LinesOf(const CsvDocument& document) {
  std::vector<std::string> lines;
  document.ForEachLine([&](const torvane::CsvLine& line) {
    lines.emplace_back(line.text);
    return true;
  });
  return lines;
}

// Whether `after` is `before` with `inserted` put in somewhere.
bool GainedOnly(std::string_view before, std::string_view after, std::string_view inserted) {
  if (after.size() != before.size() + inserted.size()) return false;
  std::size_t at = 0;
  while (at < before.size() && before[at] == after[at]) ++at;
  return after.substr(at, inserted.size()) == inserted &&
         after.substr(at + inserted.size()) == before.substr(at);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  // The delimiter comes from an INI value, which never holds a line break.
  std::string delimiter = input.ConsumeRandomLengthString(3);
  delimiter = delimiter.substr(0, delimiter.find_first_of("\r\n"));
  const bool complete = input.ConsumeBool();
  const std::size_t lineIndex = input.ConsumeIntegralInRange<std::size_t>(1, 8);
  const bool keyFromLine = input.ConsumeBool();
  std::string key = input.ConsumeRandomLengthString(20);
  const std::string raw = input.ConsumeRemainingBytesAsString();

  const std::string& path = torvane::fuzz::ScratchPath();
  torvane::fuzz::WriteWhole(path, raw);
  const CsvDocument document(raw);
  const std::vector<std::string> before = LinesOf(document);

  torvane::CsvLineRef line;
  line.lineIndex = lineIndex;
  line.keyField = complete ? torvane::CompleteRow::kCarrierIdField : 0;
  line.doneField = complete ? torvane::CompleteRow::kDoneField : 1;
  if (keyFromLine && lineIndex < before.size()) {
    if (const auto field = torvane::FieldOf(before[lineIndex], delimiter, line.keyField)) {
      key = std::string(*field);
    }
  }
  line.key = key;

  const torvane::Result<bool> marked = torvane::MarkCsvLineDone(path, delimiter, line);
  const std::string text = torvane::fuzz::ReadWhole(path);
  if (!marked.ok() || !marked.value) {
    FUZZ_CHECK(text == raw);
    return 0;
  }
  const CsvDocument markedDocument(text);
  const std::vector<std::string> after = LinesOf(markedDocument);
  FUZZ_CHECK(after.size() == before.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (i != lineIndex) FUZZ_CHECK(after[i] == before[i]);
  }
  FUZZ_CHECK(GainedOnly(before[lineIndex], after[lineIndex], "X") ||
             GainedOnly(before[lineIndex], after[lineIndex], delimiter + "X"));
  FUZZ_CHECK(torvane::FieldOf(after[lineIndex], delimiter, line.keyField) == key);
  const auto done = torvane::FieldOf(after[lineIndex], delimiter, line.doneField);
  FUZZ_CHECK(done && torvane::IsDoneMark(*done));
  return 0;
}
