#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace torvane {

// Why a CSV source gave no data set: the lines its message box adds to the
// first one (cause and next step, each behind a line break) and the outcome's
// one-line reason.
struct CsvSourceFault {
  std::string detail;
  std::string reason;
};

// Every data line of the file carries the done mark.
CsvSourceFault CsvUsedUp(const std::string& file);
// The header line lacks a name the source needs, mostly a delimiter that is
// not the file's.
CsvSourceFault CsvHeaderLacks(const std::string& file, std::string_view delimiter);
// Line numbers count the header as line 1, as an editor shows them.
CsvSourceFault CsvLineWithoutDelimiter(const std::string& file, std::size_t lineIndex,
                                       std::string_view delimiter);
// A carrier ID whose length is not the one the set or row asks for.
CsvSourceFault CsvCarrierIdMisfit(const std::string& file, std::size_t lineIndex,
                                  std::string_view delimiter, std::size_t found, long long expected,
                                  std::string_view lengthName);
// A complete row that cannot be written for another cause.
CsvSourceFault CsvRowMisfit(const std::string& file, std::size_t lineIndex,
                            std::string_view delimiter, const std::string& cause);

}  // namespace torvane
