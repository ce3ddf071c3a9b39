#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/ports/system_roots.h"
#include "core/ports/user_identity.h"

namespace radioprog {

/// Who owns a file and what its permission bits allow.
struct FileOwner {
    uid_t uid = 0;
    gid_t gid = 0;
    mode_t mode = 0;
};

/// Whether @p user may open a file for reading and writing, as the kernel decides it: root
/// always; else by the file's access list when it has one (@p acl, the `system.posix_acl_access`
/// attribute as the kernel stores it; udev's `uaccess` tag puts the logged-in user there),
/// else by the owner, group and other bits. Only the groups of the login count.
bool MayReadWrite(const FileOwner& owner, std::span<const std::uint8_t> acl,
                  const UserIdentity& user);

/// Whether a user may open a device, and what the owning group is about.
struct AccessVerdict {
    bool allowed = false;
    FileOwner owner;
    std::string groupName;         ///< the owning group, by name (its number when unnamed)
    bool groupGrants = false;      ///< the owning group may read and write it
    bool accountHasGroup = false;  ///< the group file lists the user in the owning group
    bool loginHasGroup = false;    ///< and this login has it already
};

/// How @p user may use @p device; nothing when the device does not exist. The group's name and
/// members come from the group file of @p roots.
std::optional<AccessVerdict> CheckAccess(const std::filesystem::path& device,
                                         const UserIdentity& user, const SystemRoots& roots);

}  // namespace radioprog
