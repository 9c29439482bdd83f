#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace torvane {

// Whom the system checks when a device node is opened.
struct UserIdentity {
  uid_t uid = 0;
  gid_t gid = 0;
  std::vector<gid_t> groups;  // supplementary groups

  static UserIdentity OfThisProcess();
  bool InGroup(gid_t group) const;
};

// Whether a user may open a device node for reading and writing, and, when not,
// whether joining the node's group would change that.
struct PortAccess {
  bool nodeFound = false;
  bool mayOpen = false;
  std::string groupName;        // the node's group, by name where it has one
  bool joinGroupHelps = false;  // the group may read and write, the user is not in it
  std::string error;            // why the node could not be looked at

  // The way out for the operator, or empty when there is none to give.
  std::string Hint() const;
};

// From the node's permission bits, owner and group, as the kernel decides for
// a user without extra rights (no access control lists).
PortAccess CheckPortAccess(const std::string& nodePath, const UserIdentity& user);

}  // namespace torvane
