#include "link/protocol_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/time_stamp.h"

namespace torvane {

namespace {

Status FileFailure(const std::string& path, int error) {
  return Status::Failure("The interface protocol file " + path +
                         " can't be written: " + SystemErrorText(error));
}

}  // namespace

std::string ProtocolFile::FileName(const std::string& directory) const {
  std::string path = directory;
  if (!path.empty() && path.back() != '/') path.push_back('/');
  return path + "IntProt_" + std::to_string(protocolFileNumber_) + ".txt";
}

Status ProtocolFile::AppendProtocolEntry(const std::string& directory, std::string_view text) {
  for (;;) {
    const std::string path = FileName(directory);
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0) return FileFailure(path, errno);
    const off_t end = lseek(fd, 0, SEEK_END);
    if (end < 0) {
      const int error = errno;
      close(fd);
      return FileFailure(path, error);
    }
    if (end > kFileCap) {
      close(fd);
      ++protocolFileNumber_;
      continue;
    }
    std::string entry = CurrentTimeStamp();
    entry += ';';
    entry += text;
    entry += "\r\n";
    const ssize_t written = write(fd, entry.data(), entry.size());
    const bool whole = written == static_cast<ssize_t>(entry.size());
    if (whole && fsync(fd) == 0) {
      close(fd);
      return Status::Success();
    }
    const int error = whole || written < 0 ? errno : ENOSPC;
    // A line cut short would run into the next one.
    if (written > 0 && ftruncate(fd, end) != 0) {
      // The first failure is the one to report.
    }
    close(fd);
    return FileFailure(path, error);
  }
}

}  // namespace torvane
