#pragma once

#include <string>

#include "platform/result.h"

namespace torvane {

// One process at a time in a folder: a lock file in it, held with flock until
// the object goes or the process ends, however it ends.
class FolderLock {
 public:
  // Refused with `heldText` while another process holds the lock.
  static Result<FolderLock> Take(const std::string& folder, const std::string& fileName,
                                 const std::string& heldText);
  FolderLock() = default;
  FolderLock(FolderLock&& other) noexcept : descriptor_(other.descriptor_) {
    other.descriptor_ = -1;
  }
  FolderLock& operator=(FolderLock&& other) noexcept;
  ~FolderLock();

 private:
  explicit FolderLock(int descriptor) : descriptor_(descriptor) {}
  int descriptor_ = -1;
};

// The lock of a station's working folder; refused with what to do while
// another station works there.
Result<FolderLock> LockStationFolder(const std::string& workingDirectory);

}  // namespace torvane
