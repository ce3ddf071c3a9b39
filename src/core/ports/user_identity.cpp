#include "core/ports/user_identity.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <sstream>

namespace radioprog {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) {
        parts.push_back(part);
    }
    if (!text.empty() && text.back() == separator) {
        parts.emplace_back();
    }
    return parts;
}

std::optional<GroupEntry> ParseGroupLine(const std::string& line) {
    const std::vector<std::string> fields = Split(line, ':');
    if (fields.size() < 3 || fields[0].empty() || fields[0][0] == '#') {
        return std::nullopt;
    }
    GroupEntry entry;
    entry.name = fields[0];
    const std::string& number = fields[2];
    const auto [end, error] =
        std::from_chars(number.data(), number.data() + number.size(), entry.gid);
    if (error != std::errc() || end != number.data() + number.size()) {
        return std::nullopt;
    }
    if (fields.size() > 3) {
        for (std::string& member : Split(fields[3], ',')) {
            if (!member.empty()) {
                entry.members.push_back(std::move(member));
            }
        }
    }
    return entry;
}

}  // namespace

UserIdentity UserIdentity::Current() {
    UserIdentity user;
    user.uid = ::geteuid();
    user.primaryGroup = ::getegid();
    user.name = std::to_string(user.uid);
    std::vector<char> buffer(4096);
    passwd entry{};
    passwd* found = nullptr;
    while (::getpwuid_r(user.uid, &entry, buffer.data(), buffer.size(), &found) == ERANGE) {
        buffer.resize(buffer.size() * 2);
    }
    if (found != nullptr && found->pw_name != nullptr) {
        user.name = found->pw_name;
        user.primaryGroup = found->pw_gid;
    }
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        user.loginGroups.resize(static_cast<std::size_t>(count));
        const int got = ::getgroups(count, user.loginGroups.data());
        user.loginGroups.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    }
    user.loginGroups.push_back(::getegid());
    return user;
}

bool UserIdentity::HasGroup(gid_t gid) const {
    return std::find(loginGroups.begin(), loginGroups.end(), gid) != loginGroups.end();
}

std::vector<GroupEntry> ReadGroups(const SystemRoots& roots) {
    std::vector<GroupEntry> groups;
    std::ifstream in(roots.etc / "group");
    std::string line;
    while (std::getline(in, line)) {
        if (auto entry = ParseGroupLine(line)) {
            groups.push_back(std::move(*entry));
        }
    }
    return groups;
}

std::optional<GroupEntry> FindGroup(const std::vector<GroupEntry>& groups, gid_t gid) {
    const auto found = std::find_if(groups.begin(), groups.end(),
                                    [gid](const GroupEntry& group) { return group.gid == gid; });
    if (found == groups.end()) {
        return std::nullopt;
    }
    return *found;
}

bool AccountHasGroup(const UserIdentity& user, const GroupEntry& group) {
    return group.gid == user.primaryGroup ||
           std::find(group.members.begin(), group.members.end(), user.name) != group.members.end();
}

}  // namespace radioprog
