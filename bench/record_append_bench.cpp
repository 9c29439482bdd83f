// The production record append on files that already hold 10, 1,000 and
// 100,000 records of all 17 pages: the time of one append (tail search, one
// write, fsync) must not grow with the file. Prints the median and the slowest
// append of each size.
//
//     record_append_bench [FOLDER]   files go to FOLDER (default: a new one in /tmp)

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "production/production_record_file.h"
#include "production/record_blocks.h"
#include "production/record_rows.h"
#include "production/record_template.h"
#include "transponder/page_codec.h"

namespace {

using Clock = std::chrono::steady_clock;
using Millis = std::chrono::duration<double, std::milli>;

constexpr int kAppends = 200;

torvane::ProductionRecord FullRecord(const std::string& path) {
  torvane::ProductionRecord record;
  record.setName = "Bench set";
  record.set.logFile = path;
  record.set.sourceDecimalCounter = true;
  record.set.typeTi = true;
  for (int i = 0; i < torvane::kPageCount; ++i) {
    record.hexText[i] = record.pageText[i] = "30 31 32 33 34 35 36 37";
    record.asciiText[i] = torvane::HexToAscii(record.hexText[i]);
    record.pageSelected[i] = 1;
    record.set.lockPage[i] = true;
  }
  return record;
}

// A file of `count` records, written in one go as the appends would have left it.
void WriteFileOf(const std::string& path, int count, const torvane::ProductionRecord& record) {
  const std::string workbook = torvane::RecordFileTemplate(torvane::kProductionRecordColumns);
  const std::string closing(torvane::RecordClosingLines());
  torvane::RecordedPages pages;
  for (int i = 0; i < torvane::kPageCount; ++i) {
    pages[i] = {record.hexText[i], record.asciiText[i], true};
  }
  const std::string rows = torvane::RecordRows().Record("06/12/26;22:33:51", "", pages).text();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << workbook.substr(0, workbook.size() - closing.size());
  out << torvane::ProductionHeaderBlock(record.setName, record.set);
  for (int i = 0; i < count; ++i) out << rows;
  out << closing;
  out.close();
  // The file on the disk before the clock starts: the first append's fsync
  // must not pay for writing the whole file.
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string folder;
  if (argc > 1) {
    folder = argv[1];
  } else {
    char pattern[] = "/tmp/torvane-record-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return 1;
    folder = pattern;
  }
  std::printf("%-10s %14s %14s %14s\n", "records", "file MB", "median ms", "slowest ms");
  for (const int count : {10, 1000, 100000}) {
    const std::string path = folder + "/records_" + std::to_string(count) + ".xml";
    const torvane::ProductionRecord record = FullRecord(path);
    WriteFileOf(path, count, record);
    const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;

    torvane::ProductionRecordFile file(folder);
    bool headerPending = false;
    std::vector<double> times;
    for (int i = 0; i < kAppends; ++i) {
      const auto start = Clock::now();
      const torvane::Status status = file.AppendProductionRecord(record, headerPending);
      times.push_back(Millis(Clock::now() - start).count());
      if (!status.ok()) {
        std::fprintf(stderr, "%s\n", status.error.c_str());
        return 1;
      }
    }
    std::sort(times.begin(), times.end());
    std::printf("%-10d %14.1f %14.3f %14.3f\n", count, megabytes, times[times.size() / 2],
                times.back());
    std::filesystem::remove(path);
  }
  if (argc <= 1) std::filesystem::remove_all(folder);
  return 0;
}
