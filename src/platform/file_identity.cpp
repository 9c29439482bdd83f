#include "platform/file_identity.h"

namespace torvane {

namespace {

constexpr long long kNsPerSecond = 1'000'000'000;

long long Nanoseconds(const timespec& time) {
  return static_cast<long long>(time.tv_sec) * kNsPerSecond + time.tv_nsec;
}

}  // namespace

FileIdentity IdentityOf(const struct stat& info) {
  return {info.st_dev, info.st_ino, info.st_size, Nanoseconds(info.st_mtim),
          Nanoseconds(info.st_ctim)};
}

std::optional<FileIdentity> IdentityOfFile(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return IdentityOf(info);
}

}  // namespace torvane
