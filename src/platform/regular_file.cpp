#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace torvane {

FileDescriptor::~FileDescriptor() {
  if (fd_ >= 0) close(fd_);
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

namespace {

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode)) return "a character device";
  if (S_ISBLK(mode)) return "a block device";
  if (S_ISSOCK(mode)) return "a socket";
  return "of another kind";
}

std::string Failure(const std::string& path, const std::string& reason) {
  return path + ": " + reason;
}

struct Opening {
  FileDescriptor file;
  int errnoValue = 0;  // of a failed open; 0 when it opened, or was refused for its kind
  std::string error;
};

Opening Open(const std::string& path, int flags, int mode) {
  Opening opening;
  opening.file =
      FileDescriptor(open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode));
  struct stat info {};
  if (opening.file.fd() < 0 || fstat(opening.file.fd(), &info) != 0) {
    opening.errnoValue = errno;
    opening.error = Failure(path, SystemErrorText(errno));
  } else if (!S_ISREG(info.st_mode)) {
    opening.error =
        Failure(path, std::string(KindOf(info.st_mode)) + ", not a regular file; it was not used");
  } else if (const int status = fcntl(opening.file.fd(), F_GETFL);
             status < 0 || fcntl(opening.file.fd(), F_SETFL, status & ~O_NONBLOCK) != 0) {
    opening.errnoValue = errno;
    opening.error = Failure(path, SystemErrorText(errno));
  }
  return opening;
}

}  // namespace

Result<FileDescriptor> OpenRegularFile(const std::string& path, int flags, int mode) {
  Opening opening = Open(path, flags, mode);
  if (!opening.error.empty()) return Result<FileDescriptor>::Failure(std::move(opening.error));
  return Result<FileDescriptor>::Success(std::move(opening.file));
}

Result<std::optional<std::string>> ReadRegularFileIfPresent(const std::string& path) {
  using Contents = Result<std::optional<std::string>>;
  const Opening opening = Open(path, O_RDONLY, 0);
  if (opening.errnoValue == ENOENT) return Contents::Success(std::nullopt);
  if (!opening.error.empty()) return Contents::Failure(opening.error);
  const int fd = opening.file.fd();
  struct stat info {};
  std::string text;
  if (fstat(fd, &info) == 0) text.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t count = read(fd, buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      return Contents::Failure(Failure(path, SystemErrorText(errno)));
    }
    text.append(buffer, static_cast<std::size_t>(count));
  }
  return Contents::Success(std::move(text));
}

}  // namespace torvane
