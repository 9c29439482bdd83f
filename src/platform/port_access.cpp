#include "platform/port_access.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/result.h"

namespace torvane {

namespace {

constexpr mode_t kReadWrite = S_IRUSR | S_IWUSR;
constexpr int kGroupShift = 3;
constexpr int kOtherShift = 6;

bool Grants(mode_t mode, int shift) {
  return ((mode << shift) & kReadWrite) == kReadWrite;
}

std::string GroupName(gid_t gid) {
  group entry{};
  group* found = nullptr;
  std::vector<char> buffer(4096);
  while (getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) == ERANGE) {
    buffer.resize(buffer.size() * 2);
  }
  return found != nullptr ? std::string(found->gr_name) : std::to_string(gid);
}

}  // namespace

UserIdentity UserIdentity::OfThisProcess() {
  UserIdentity user;
  user.uid = geteuid();
  user.gid = getegid();
  const int count = getgroups(0, nullptr);
  if (count > 0) {
    user.groups.resize(static_cast<std::size_t>(count));
    const int filled = getgroups(count, user.groups.data());
    user.groups.resize(static_cast<std::size_t>(std::max(filled, 0)));
  }
  return user;
}

bool UserIdentity::InGroup(gid_t group) const {
  return gid == group || std::find(groups.begin(), groups.end(), group) != groups.end();
}

std::string PortAccess::Hint() const {
  if (mayOpen || !joinGroupHelps) return {};
  return "To open it, join the group " + groupName + " (on Debian: sudo adduser $USER " +
         groupName + "), then log in again.";
}

PortAccess CheckPortAccess(const std::string& nodePath, const UserIdentity& user) {
  PortAccess access;
  struct stat node {};
  if (stat(nodePath.c_str(), &node) != 0) {
    access.error = SystemErrorText(errno);
    return access;
  }
  access.nodeFound = true;
  access.groupName = GroupName(node.st_gid);
  // The kernel looks at one class of bits only: the owner's, else the group's, else the others'.
  if (user.uid == 0) {
    access.mayOpen = true;
  } else if (user.uid == node.st_uid) {
    access.mayOpen = Grants(node.st_mode, 0);
  } else if (user.InGroup(node.st_gid)) {
    access.mayOpen = Grants(node.st_mode, kGroupShift);
  } else {
    access.mayOpen = Grants(node.st_mode, kOtherShift);
    access.joinGroupHelps = !access.mayOpen && Grants(node.st_mode, kGroupShift);
  }
  return access;
}

}  // namespace torvane
