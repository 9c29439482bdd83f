#include "production/csv_source_messages.h"

namespace torvane {

namespace {

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::string LineOf(const std::string& file, std::size_t lineIndex, std::string_view delimiter) {
  return "\r\nLine " + std::to_string(lineIndex + 1) + " of " + Quoted(file) + " (delimiter " +
         Quoted(delimiter) + "): ";
}

std::string ReasonLine(std::size_t lineIndex) {
  return "csv line " + std::to_string(lineIndex + 1) + ": ";
}

}  // namespace

CsvSourceFault CsvUsedUp(const std::string& file) {
  return {"\r\nEvery line of " + Quoted(file) +
              " is marked done: the file has no carrier ID left.\r\nLoad a new csv file or "
              "choose another configuration set.",
          "source used up: every line of the csv file is done"};
}

CsvSourceFault CsvHeaderLacks(const std::string& file, std::string_view delimiter) {
  return {"\r\nThe first line of " + Quoted(file) +
              " is not the header this source needs, its names separated by the delimiter " +
              Quoted(delimiter) +
              ".\r\nCheck the \"csv delimiter\" in the station settings and the file's "
              "header line.",
          "csv header not found with the delimiter " + Quoted(delimiter)};
}

CsvSourceFault CsvLineWithoutDelimiter(const std::string& file, std::size_t lineIndex,
                                       std::string_view delimiter) {
  return {LineOf(file, lineIndex, delimiter) +
              "no delimiter behind the carrier ID.\r\nCorrect the line or the \"csv "
              "delimiter\" in the station settings.",
          ReasonLine(lineIndex) + "no delimiter " + Quoted(delimiter)};
}

CsvSourceFault CsvCarrierIdMisfit(const std::string& file, std::size_t lineIndex,
                                  std::string_view delimiter, std::size_t found, long long expected,
                                  std::string_view lengthName) {
  const std::string lengths = "carrier ID of " + std::to_string(found) + " characters, " +
                              Quoted(lengthName) + " needs " + std::to_string(expected);
  return {LineOf(file, lineIndex, delimiter) + "the " + lengths + ".\r\nCorrect the line or " +
              Quoted(lengthName) + ".",
          ReasonLine(lineIndex) + lengths};
}

CsvSourceFault CsvRowMisfit(const std::string& file, std::size_t lineIndex,
                            std::string_view delimiter, const std::string& cause) {
  return {LineOf(file, lineIndex, delimiter) + cause + ".\r\nCorrect the line.",
          ReasonLine(lineIndex) + cause};
}

}  // namespace torvane
