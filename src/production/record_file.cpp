#include "production/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/regular_file.h"
#include "production/record_template.h"

namespace torvane {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr const char* kNotARecordFile =
    "not a record file of this station: it does not end in the closing lines of its workbook; "
    "it was left unchanged";

Status Failure(const std::string& path, std::string_view reason) {
  return Status::Failure(path + ": " + std::string(reason));
}

Result<std::string> ReadAt(int fd, off_t position, off_t length) {
  std::string bytes(static_cast<std::size_t>(length), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t got =
        pread(fd, bytes.data() + done, bytes.size() - done, position + static_cast<off_t>(done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return Result<std::string>::Failure(SystemErrorText(errno));
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return Result<std::string>::Success(std::move(bytes));
}

// Writes all bytes; on failure errno tells why.
bool WriteAt(int fd, std::string_view bytes, off_t position) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put =
        pwrite(fd, bytes.data() + done, bytes.size() - done, position + static_cast<off_t>(done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) {
      if (put == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<std::size_t>(put);
  }
  return true;
}

// The start of the closing lines, or a failure saying why there is none. Only
// the closing lines this station writes mark its workbook: another file that
// merely ends in "</Table>" is no place for a record.
Result<off_t> WritePosition(int fd, off_t size) {
  const std::string_view closing = RecordClosingLines();
  const auto tailSize = static_cast<off_t>(closing.size() + kLineEnd.size());
  if (size < tailSize) return Result<off_t>::Failure(kNotARecordFile);
  const Result<std::string> tail = ReadAt(fd, size - tailSize, tailSize);
  if (!tail.ok()) return Result<off_t>::Failure(tail.error);
  if (tail.value != std::string(kLineEnd) + std::string(closing)) {
    return Result<off_t>::Failure(kNotARecordFile);
  }
  return Result<off_t>::Success(size - static_cast<off_t>(closing.size()));
}

// Whether the file now holds exactly `text` from `position` on, on the disk.
bool Replace(int fd, std::string_view text, off_t position) {
  return WriteAt(fd, text, position) &&
         ftruncate(fd, position + static_cast<off_t>(text.size())) == 0 && fsync(fd) == 0;
}

}  // namespace

Status AppendToRecordFile(const std::string& path, int expandedColumnCount,
                          const RowsForAppend& rows) {
  const Result<FileDescriptor> opened = OpenRegularFile(path, O_RDWR | O_CREAT);
  if (!opened.ok()) return Status::Failure(opened.error);
  const FileDescriptor& file = opened.value;
  struct stat info {};
  if (fstat(file.fd(), &info) != 0) return Failure(path, SystemErrorText(errno));
  const off_t size = info.st_size;

  std::string text;
  off_t position = 0;
  if (size == 0) {
    const std::string workbook = RecordFileTemplate(expandedColumnCount);
    text = workbook.substr(0, workbook.size() - RecordClosingLines().size());
  } else {
    const Result<off_t> found = WritePosition(file.fd(), size);
    if (!found.ok()) return Failure(path, found.error);
    position = found.value;
  }
  const Result<std::string> oldEnd = ReadAt(file.fd(), position, size - position);
  if (!oldEnd.ok()) return Failure(path, oldEnd.error);

  text += rows(size == 0);
  text += RecordClosingLines();
  if (Replace(file.fd(), text, position)) return Status::Success();
  const int error = errno;
  // Disk full or the file made read-only under us: the old end makes it whole again.
  Replace(file.fd(), oldEnd.value, position);
  return Failure(path, SystemErrorText(error));
}

}  // namespace torvane
