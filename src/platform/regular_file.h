#pragma once

#include <optional>
#include <string>

#include "platform/result.h"

namespace torvane {

// A descriptor that closes itself.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor();
  FileDescriptor(FileDescriptor&& other) noexcept;
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int fd() const { return fd_; }

 private:
  int fd_ = -1;
};

// Opens a file the station was given by path (open(2) flags such as O_RDONLY,
// O_RDWR | O_CREAT). The open itself never waits: a FIFO without a writer, a
// device or a socket under that name would otherwise hold the station. Anything
// but a regular file is refused with a message naming the path and what it is.
Result<FileDescriptor> OpenRegularFile(const std::string& path, int flags, int mode = 0666);

// The whole regular file at `path`; nothing when it does not exist.
Result<std::optional<std::string>> ReadRegularFileIfPresent(const std::string& path);

}  // namespace torvane
