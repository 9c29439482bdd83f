#include "production/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <sstream>

#include "platform/atomic_file.h"
#include "platform/decimal_text.h"
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

// An append as the journal notes it before the write: the bytes from `position`
// on become `written`, or go back to the old end of a file of `oldSize` bytes.
struct AppendNote {
  std::string path;
  std::uint64_t position = 0;
  std::uint64_t oldSize = 0;
  std::uint64_t newSize = 0;
  std::uint64_t sum = 0;
};

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hash;
}

std::string Render(const AppendNote& note) {
  return "path=" + note.path + "\nposition=" + std::to_string(note.position) +
         "\nold size=" + std::to_string(note.oldSize) +
         "\nnew size=" + std::to_string(note.newSize) + "\nsum=" + std::to_string(note.sum) + "\n";
}

std::optional<AppendNote> Parse(const std::string& text) {
  AppendNote note;
  std::istringstream lines(text);
  int numbers = 0;
  for (std::string line; std::getline(lines, line);) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) return std::nullopt;
    const std::string key = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (key == "path") {
      note.path = value;
      continue;
    }
    const std::optional<std::uint64_t> number = ReadWholeDecimal(value);
    if (!number) return std::nullopt;
    ++numbers;
    if (key == "position") note.position = *number;
    if (key == "old size") note.oldSize = *number;
    if (key == "new size") note.newSize = *number;
    if (key == "sum") note.sum = *number;
  }
  if (note.path.empty() || numbers != 4) return std::nullopt;
  return note;
}

// The end the file had before the append: the closing lines, or nothing for a new file.
std::string_view OldEnd(const AppendNote& note) {
  return note.oldSize == 0 ? std::string_view() : RecordClosingLines();
}

}  // namespace

Result<UnfinishedAppend> FinishUnfinishedAppend(const std::string& journalPath) {
  using Found = Result<UnfinishedAppend>;
  const Result<std::optional<std::string>> text = ReadRegularFileIfPresent(journalPath);
  if (!text.ok()) return Found::Failure(text.error);
  if (!text.value) return Found::Success({});
  // The journal was on the disk before the write began: one that does not read
  // was never followed by a write.
  const std::optional<AppendNote> note = Parse(*text.value);
  UnfinishedAppend found;
  if (note) {
    found.path = note->path;
    const Result<FileDescriptor> opened = OpenRegularFile(note->path, O_RDWR);
    struct stat info {};
    if (opened.ok() && fstat(opened.value.fd(), &info) == 0 &&
        static_cast<std::uint64_t>(info.st_size) >= note->position) {
      const auto position = static_cast<off_t>(note->position);
      const Result<std::string> tail = ReadAt(opened.value.fd(), position, info.st_size - position);
      found.completed = tail.ok() && static_cast<std::uint64_t>(info.st_size) == note->newSize &&
                        Fnv1a(tail.value) == note->sum;
      if (!found.completed && !Replace(opened.value.fd(), OldEnd(*note), position)) {
        return Found::Failure(Failure(note->path, SystemErrorText(errno)).error);
      }
    }
  }
  if (const Status ended = RemoveFileDurably(journalPath); !ended.ok()) {
    return Found::Failure(ended.error);
  }
  return Found::Success(found);
}

Status AppendToRecordFile(const std::string& path, int expandedColumnCount,
                          const RowsForAppend& rows, const std::string& journalPath) {
  if (const auto earlier = FinishUnfinishedAppend(journalPath); !earlier.ok()) {
    return Status::Failure(earlier.error);
  }
  const std::string workbook = RecordFileTemplate(expandedColumnCount);
  const std::string_view head =
      std::string_view(workbook).substr(0, workbook.size() - RecordClosingLines().size());
  // A new file is made whole beside its place and then moved there: created
  // first and written after, a stop in between would leave an empty file that
  // no spreadsheet opens.
  struct stat existing {};
  if (stat(path.c_str(), &existing) != 0 && errno == ENOENT) {
    std::string whole(head);
    whole += rows(true);
    whole += RecordClosingLines();
    return WriteFileAtomically(path, whole);
  }
  const Result<FileDescriptor> opened = OpenRegularFile(path, O_RDWR);
  if (!opened.ok()) return Status::Failure(opened.error);
  const FileDescriptor& file = opened.value;
  struct stat info {};
  if (fstat(file.fd(), &info) != 0) return Failure(path, SystemErrorText(errno));
  const off_t size = info.st_size;

  std::string text;
  off_t position = 0;
  if (size == 0) {
    text = head;
  } else {
    const Result<off_t> found = WritePosition(file.fd(), size);
    if (!found.ok()) return Failure(path, found.error);
    position = found.value;
  }
  const Result<std::string> oldEnd = ReadAt(file.fd(), position, size - position);
  if (!oldEnd.ok()) return Failure(path, oldEnd.error);

  text += rows(size == 0);
  text += RecordClosingLines();
  const AppendNote note{path, static_cast<std::uint64_t>(position),
                        static_cast<std::uint64_t>(size),
                        static_cast<std::uint64_t>(position) + text.size(), Fnv1a(text)};
  // Without room for the journal the append still goes ahead: only a power loss
  // in the middle of it would need the journal.
  const bool noted = WriteFileAtomically(journalPath, Render(note)).ok();
  const bool replaced = Replace(file.fd(), text, position);
  const int error = errno;
  if (!replaced) Replace(file.fd(), oldEnd.value, position);
  if (noted) RemoveFileDurably(journalPath);
  if (replaced) return Status::Success();
  // Disk full or the file made read-only under us: the old end made it whole again.
  return Failure(path, SystemErrorText(error));
}

}  // namespace torvane
