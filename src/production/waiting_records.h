#pragma once

#include <string>
#include <vector>

#include "platform/result.h"

namespace torvane {

// A production record that its record file did not take yet.
struct WaitingRecord {
  std::string path;  // its record file
  bool headerDue = false;
  std::string header;  // the header block of its run, also used when the file is new
  std::string rows;
  // Not kept in the file: which record it is, for the operator, and whether the
  // file holds it yet.
  std::string label;
  bool onDisk = false;
};

// The records waiting for their file, kept in a file of their own so that a
// restart loses none. The file exists only while records wait.
class WaitingRecords {
 public:
  explicit WaitingRecords(std::string storePath) : storePath_(std::move(storePath)) {}

  // Reads the records a run before left. A file this station did not write is
  // set aside under a new name so that nothing in it is lost.
  Status Load();
  // Replaces the file with the records now waiting, atomically; removes it when
  // none wait. Once saved, every record waiting is on the disk.
  Status Save();

  std::vector<WaitingRecord>& records() { return records_; }
  const std::vector<WaitingRecord>& records() const { return records_; }
  const std::string& storePath() const { return storePath_; }

 private:
  std::string storePath_;
  std::vector<WaitingRecord> records_;
};

}  // namespace torvane
