// An append finds the station's own end of the record table or leaves the file
// as it was: the rows go in front of the closing lines, everything in front of
// them stays byte for byte, and a new file gets the template first.
#include <fuzzer/FuzzedDataProvider.h>

#include <optional>
#include <string>

#include "fuzz_support.h"
#include "production/record_file.h"
#include "production/record_template.h"

namespace {

// Where the rows belong in a file that is not new: in front of the closing
// lines the station ends its workbooks with, when the file ends with them.
std::optional<std::size_t> RowsPosition(std::string_view file) {
  const std::string_view closing = torvane::RecordClosingLines();
  if (!file.ends_with(std::string("\r\n") + std::string(closing))) return std::nullopt;
  return file.size() - closing.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string rows = input.ConsumeRandomLengthString(200);
  const std::string old = input.ConsumeRemainingBytesAsString();
  const std::string& path = torvane::fuzz::ScratchPath();
  torvane::fuzz::WriteWhole(path, old);

  bool askedNew = false;
  const torvane::Status appended = torvane::AppendToRecordFile(
      path, 40,
      [&](bool fileIsNew) {
        askedNew = fileIsNew;
        return rows;
      },
      path + ".journal");
  const std::string now = torvane::fuzz::ReadWhole(path);
  const std::string_view closing = torvane::RecordClosingLines();
  if (old.empty()) {
    FUZZ_CHECK(appended.ok() && askedNew);
    FUZZ_CHECK(now.ends_with(std::string(rows) + std::string(closing)));
    return 0;
  }
  const std::optional<std::size_t> position = RowsPosition(old);
  FUZZ_CHECK(appended.ok() == position.has_value());
  if (!position) {
    FUZZ_CHECK(now == old);
    return 0;
  }
  FUZZ_CHECK(!askedNew);
  FUZZ_CHECK(now == old.substr(0, *position) + rows + std::string(closing));
  return 0;
}
