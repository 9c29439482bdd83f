#include "platform/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <optional>

#include "platform/decimal_text.h"

namespace torvane {

namespace {

constexpr std::string_view kTemporaryEnding = ".tmp";

std::string TemporaryPathFor(const std::string& path) {
  static std::atomic<std::uint32_t> counter{0};
  // A pid has at most 7 digits (pid_max is at most 2^22), the counter 10.
  static_assert(kTemporaryNameSuffixMax == 1 + 7 + 1 + 10 + kTemporaryEnding.size());
  return path + "." + std::to_string(getpid()) + "." + std::to_string(counter++) +
         std::string(kTemporaryEnding);
}

// The process that wrote "<file>.<pid>.<n>.tmp"; nothing for any other name.
std::optional<pid_t> WriterOfTemporary(std::string_view name) {
  if (!name.ends_with(kTemporaryEnding)) return std::nullopt;
  name.remove_suffix(kTemporaryEnding.size());
  const std::size_t counterDot = name.rfind('.');
  if (counterDot == std::string_view::npos) return std::nullopt;
  const std::size_t pidDot = name.rfind('.', counterDot == 0 ? 0 : counterDot - 1);
  if (pidDot == std::string_view::npos || pidDot == 0) return std::nullopt;
  const std::optional<std::uint64_t> counter = ReadWholeDecimal(name.substr(counterDot + 1));
  const std::optional<std::uint64_t> pid =
      ReadWholeDecimal(name.substr(pidDot + 1, counterDot - pidDot - 1));
  if (!counter || !pid || *pid == 0 ||
      *pid > static_cast<std::uint64_t>(std::numeric_limits<pid_t>::max())) {
    return std::nullopt;
  }
  return static_cast<pid_t>(*pid);
}

bool IsRunning(pid_t pid) {
  return kill(pid, 0) == 0 || errno != ESRCH;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The rename itself is only durable once the folder entry is on the disk.
void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

Status Failure(const std::string& path, int errnoValue) {
  return Status::Failure("Cannot save " + path + ": " + SystemErrorText(errnoValue));
}

// Returns 0 or the errno of the first step that failed.
int WriteAndSync(int fd, const std::string& originalPath,
                 std::span<const std::string_view> pieces) {
  struct stat original {};
  if (stat(originalPath.c_str(), &original) == 0 && fchmod(fd, original.st_mode & 07777) != 0) {
    return errno;
  }
  for (const std::string_view piece : pieces) {
    if (!WriteAll(fd, piece)) return errno;
  }
  return fsync(fd) != 0 ? errno : 0;
}

}  // namespace

Result<FileIdentity> ReplaceFileAtomically(const std::string& path,
                                           std::span<const std::string_view> pieces) {
  using Replaced = Result<FileIdentity>;
  const std::string temporary = TemporaryPathFor(path);
  const int fd =
      open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return Replaced::Failure(Failure(path, errno).error);

  int error = WriteAndSync(fd, path, pieces);
  if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    close(fd);
    unlink(temporary.c_str());
    return Replaced::Failure(Failure(path, error).error);
  }
  // Taken after the rename, which sets the change time: a program that replaces
  // the file meanwhile leaves another identity at `path`. Unknown, it matches
  // no file.
  struct stat written {};
  const FileIdentity identity = fstat(fd, &written) == 0 ? IdentityOf(written) : FileIdentity{};
  close(fd);
  SyncFolder(FolderOf(path));
  return Replaced::Success(identity);
}

Status WriteFileAtomically(const std::string& path, std::string_view content) {
  const Result<FileIdentity> replaced = ReplaceFileAtomically(path, {&content, 1});
  return replaced.ok() ? Status::Success() : Status::Failure(replaced.error);
}

std::vector<std::string> RemoveLeftoverTemporaries(const std::string& folder) {
  std::vector<std::string> removed;
  DIR* directory = opendir(folder.c_str());
  if (directory == nullptr) return removed;
  while (const dirent* entry = readdir(directory)) {
    const std::string name = entry->d_name;
    const std::optional<pid_t> writer = WriterOfTemporary(name);
    if (!writer || IsRunning(*writer)) continue;
    struct stat info {};
    const std::string path = folder + "/" + name;
    if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    if (unlink(path.c_str()) == 0) removed.push_back(name);
  }
  closedir(directory);
  if (!removed.empty()) SyncFolder(folder);
  return removed;
}

Status RemoveFileDurably(const std::string& path) {
  if (unlink(path.c_str()) != 0) {
    if (errno == ENOENT) return Status::Success();
    return Status::Failure("Cannot remove " + path + ": " + SystemErrorText(errno));
  }
  SyncFolder(FolderOf(path));
  return Status::Success();
}

}  // namespace torvane
