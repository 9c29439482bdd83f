#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "production/production_record.h"

namespace torvane::test {

// A stand-in record file for programs that run production without a window:
// each record one line with the carrier ID, on the disk before it counts.
class LineRecordWriter : public ProductionRecordWriter {
 public:
  explicit LineRecordWriter(std::string path) : path_(std::move(path)) {}

  Status AppendProductionRecord(const ProductionRecord& record, bool& headerPending) override {
    const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return Status::Failure("cannot open " + path_);
    const std::string line = record.set.carrierId + "\n";
    const bool written = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    headerPending = false;
    return written && synced ? Status::Success() : Status::Failure("cannot write " + path_);
  }

 private:
  std::string path_;
};

}  // namespace torvane::test
