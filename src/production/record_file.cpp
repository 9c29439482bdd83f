#include "production/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "production/record_template.h"

namespace torvane {

namespace {

constexpr off_t kTailSearched = 1000;
constexpr off_t kLineStartSearched = 10;
constexpr std::string_view kTableEnd = "</Table>";
constexpr std::string_view kLineStart = "\r\n ";

class OpenFile {
 public:
  explicit OpenFile(int fd) : fd_(fd) {}
  ~OpenFile() {
    if (fd_ >= 0) close(fd_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

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

// The start of the line that holds "</Table>", or a failure saying why there is none.
Result<off_t> WritePosition(int fd, off_t size) {
  const off_t tailStart = std::max<off_t>(0, size - kTailSearched);
  const Result<std::string> tail = ReadAt(fd, tailStart, size - tailStart);
  if (!tail.ok()) return Result<off_t>::Failure(tail.error);
  const std::size_t tableEnd = tail.value.find(kTableEnd);
  if (tableEnd == std::string::npos) {
    return Result<off_t>::Failure(
        "not a record file: \"</Table>\" is not within its last 1000 bytes; it was left unchanged");
  }
  const off_t tableEndAt = tailStart + static_cast<off_t>(tableEnd);
  const off_t before = std::max<off_t>(0, tableEndAt - kLineStartSearched);
  const Result<std::string> lead = ReadAt(fd, before, tableEndAt - before);
  if (!lead.ok()) return Result<off_t>::Failure(lead.error);
  const std::size_t lineStart = lead.value.find(kLineStart);
  if (lineStart == std::string::npos) {
    return Result<off_t>::Failure(
        "not a record file: \"</Table>\" does not start a line; it was left unchanged");
  }
  return Result<off_t>::Success(before + static_cast<off_t>(lineStart + 2));
}

// Whether the file now holds exactly `text` from `position` on, on the disk.
bool Replace(int fd, std::string_view text, off_t position) {
  return WriteAt(fd, text, position) &&
         ftruncate(fd, position + static_cast<off_t>(text.size())) == 0 && fsync(fd) == 0;
}

}  // namespace

Status AppendToRecordFile(const std::string& path, int expandedColumnCount,
                          const RowsForAppend& rows) {
  const OpenFile file(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
  if (file.fd() < 0) return Failure(path, SystemErrorText(errno));
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
