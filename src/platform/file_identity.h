#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

namespace torvane {

// What tells one state of a file on disk from another without reading it: a
// rewrite by another program changes the change time even when it keeps the
// size and sets the modification time back, and a replaced file has another
// inode.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  long long modifiedNs = 0;
  long long changedNs = 0;

  bool operator==(const FileIdentity&) const = default;
};

FileIdentity IdentityOf(const struct stat& info);
// The identity of the regular file at `path`; nothing when there is none.
std::optional<FileIdentity> IdentityOfFile(const std::string& path);

}  // namespace torvane
