#include "platform/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace torvane {

Result<FolderLock> FolderLock::Take(const std::string& folder, const std::string& fileName,
                                    const std::string& heldText) {
  const std::string path = folder + "/" + fileName;
  const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (descriptor < 0) return Result<FolderLock>::Failure(path + ": " + SystemErrorText(errno));
  if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(descriptor);
    return Result<FolderLock>::Failure(error == EWOULDBLOCK ? heldText
                                                            : path + ": " + SystemErrorText(error));
  }
  return Result<FolderLock>::Success(FolderLock(descriptor));
}

FolderLock& FolderLock::operator=(FolderLock&& other) noexcept {
  std::swap(descriptor_, other.descriptor_);
  return *this;
}

FolderLock::~FolderLock() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

Result<FolderLock> LockStationFolder(const std::string& workingDirectory) {
  return FolderLock::Take(
      workingDirectory, "Torvane.lock",
      "Another Torvane station is running in the folder " + workingDirectory +
          ". Only one station may work in a folder, as its ledger, counters and records are its "
          "own. Use the station that runs there, or start this one in another folder.");
}

}  // namespace torvane
