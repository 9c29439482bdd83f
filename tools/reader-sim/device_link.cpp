#include "device_link.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace torvane::sim {

namespace {

std::string LinkTarget(const std::string& linkPath) {
  char target[4096];
  const ssize_t n = ::readlink(linkPath.c_str(), target, sizeof target);
  return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string();
}

}  // namespace

Result<std::unique_ptr<DeviceLink>> DeviceLink::Create(const std::string& linkPath,
                                                       const std::string& devicePath) {
  using Created = Result<std::unique_ptr<DeviceLink>>;
  struct stat existing {};
  if (::lstat(linkPath.c_str(), &existing) == 0) {
    if (!S_ISLNK(existing.st_mode))
      return Created::Failure(linkPath + " exists and is not a symbolic link; not replacing it");
    // Left behind by a simulator that was killed outright.
    ::unlink(linkPath.c_str());
  }
  if (::symlink(devicePath.c_str(), linkPath.c_str()) != 0)
    return Created::Failure("cannot create link " + linkPath + ": " + SystemErrorText(errno));
  return Created::Success(std::unique_ptr<DeviceLink>(new DeviceLink(linkPath, devicePath)));
}

DeviceLink::~DeviceLink() {
  if (LinkTarget(linkPath_) == devicePath_) ::unlink(linkPath_.c_str());
}

}  // namespace torvane::sim
