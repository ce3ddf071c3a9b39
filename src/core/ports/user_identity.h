#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "core/ports/system_roots.h"

namespace radioprog {

/// Who is asking to open a port.
struct UserIdentity {
    uid_t uid = 0;
    std::string name;                ///< login name, or the number when it has none
    gid_t primaryGroup = 0;          ///< the group of the account
    std::vector<gid_t> loginGroups;  ///< the groups this login has now: those the account
                                     ///< had when the user logged in

    /// The user of this process.
    static UserIdentity Current();

    bool HasGroup(gid_t gid) const;
};

/// A line of the group file.
struct GroupEntry {
    std::string name;
    gid_t gid = 0;
    std::vector<std::string> members;
};

/// The groups of `group` in the etc folder of @p roots; none when it cannot be read.
std::vector<GroupEntry> ReadGroups(const SystemRoots& roots);

/// The group numbered @p gid.
std::optional<GroupEntry> FindGroup(const std::vector<GroupEntry>& groups, gid_t gid);

/// Whether the account of @p user belongs to @p group: it is listed as a member, or the group
/// is its own. A login that began before the user joined does not have the group yet.
bool AccountHasGroup(const UserIdentity& user, const GroupEntry& group);

}  // namespace radioprog
