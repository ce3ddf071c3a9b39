#include "core/ports/port_access.h"

#include <sys/stat.h>
#include <sys/xattr.h>

namespace radioprog {
namespace {

constexpr mode_t kReadWrite = 06;
constexpr std::size_t kAclHeader = 4;
constexpr std::size_t kAclEntry = 8;
constexpr std::uint32_t kAclVersion = 2;

// Tags of the kernel's access list entries.
enum AclTag : std::uint16_t {
    kUserObject = 0x01,
    kUser = 0x02,
    kGroupObject = 0x04,
    kGroup = 0x08,
    kMask = 0x10,
    kOther = 0x20,
};

struct AclEntry {
    std::uint16_t tag;
    std::uint16_t permissions;
    std::uint32_t id;
};

std::uint32_t Little(std::span<const std::uint8_t> bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

std::optional<std::vector<AclEntry>> ParseAcl(std::span<const std::uint8_t> acl) {
    if (acl.size() < kAclHeader || (acl.size() - kAclHeader) % kAclEntry != 0 ||
        Little(acl.first(kAclHeader)) != kAclVersion) {
        return std::nullopt;
    }
    std::vector<AclEntry> entries;
    for (std::size_t at = kAclHeader; at < acl.size(); at += kAclEntry) {
        const auto entry = acl.subspan(at, kAclEntry);
        entries.push_back({static_cast<std::uint16_t>(Little(entry.first(2))),
                           static_cast<std::uint16_t>(Little(entry.subspan(2, 2))),
                           Little(entry.subspan(4, 4))});
    }
    return entries;
}

bool Grants(unsigned permissions) {
    return (permissions & kReadWrite) == kReadWrite;
}

// The access check algorithm of POSIX.1e access lists.
bool AclGrants(const std::vector<AclEntry>& entries, const FileOwner& owner,
               const UserIdentity& user) {
    unsigned mask = 07;
    for (const AclEntry& entry : entries) {
        if (entry.tag == kMask) {
            mask = entry.permissions;
        }
    }
    for (const AclEntry& entry : entries) {
        if (entry.tag == kUserObject && user.uid == owner.uid) {
            return Grants(entry.permissions);
        }
    }
    for (const AclEntry& entry : entries) {
        if (entry.tag == kUser && entry.id == user.uid) {
            return Grants(entry.permissions & mask);
        }
    }
    bool groupMatched = false;
    for (const AclEntry& entry : entries) {
        const bool member = (entry.tag == kGroupObject && user.HasGroup(owner.gid)) ||
                            (entry.tag == kGroup && user.HasGroup(entry.id));
        if (member) {
            groupMatched = true;
            if (Grants(entry.permissions & mask)) {
                return true;
            }
        }
    }
    if (groupMatched) {
        return false;
    }
    for (const AclEntry& entry : entries) {
        if (entry.tag == kOther) {
            return Grants(entry.permissions);
        }
    }
    return false;
}

bool ModeGrants(const FileOwner& owner, const UserIdentity& user) {
    if (user.uid == owner.uid) {
        return Grants((owner.mode >> 6) & 07);
    }
    if (user.HasGroup(owner.gid)) {
        return Grants((owner.mode >> 3) & 07);
    }
    return Grants(owner.mode & 07);
}

std::vector<std::uint8_t> ReadAcl(const std::filesystem::path& device) {
    std::vector<std::uint8_t> acl(256);
    const ssize_t size =
        ::getxattr(device.c_str(), "system.posix_acl_access", acl.data(), acl.size());
    acl.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    return acl;
}

}  // namespace

bool MayReadWrite(const FileOwner& owner, std::span<const std::uint8_t> acl,
                  const UserIdentity& user) {
    if (user.uid == 0) {
        return true;
    }
    if (const auto entries = ParseAcl(acl)) {
        return AclGrants(*entries, owner, user);
    }
    return ModeGrants(owner, user);
}

std::optional<AccessVerdict> CheckAccess(const std::filesystem::path& device,
                                         const UserIdentity& user, const SystemRoots& roots) {
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0) {
        return std::nullopt;
    }
    AccessVerdict verdict;
    verdict.owner = {info.st_uid, info.st_gid, info.st_mode};
    verdict.allowed = MayReadWrite(verdict.owner, ReadAcl(device), user);
    verdict.groupGrants = Grants((info.st_mode >> 3) & 07);
    verdict.loginHasGroup = user.HasGroup(info.st_gid);
    verdict.groupName = std::to_string(info.st_gid);
    if (const auto group = FindGroup(ReadGroups(roots), info.st_gid)) {
        verdict.groupName = group->name;
        verdict.accountHasGroup = AccountHasGroup(user, *group);
    }
    return verdict;
}

}  // namespace radioprog
