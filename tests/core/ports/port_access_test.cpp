#include "core/ports/port_access.h"

#include <gtest/gtest.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "../../support/fixture_system.h"

namespace radioprog {
namespace {

using testing::FixtureSystem;

constexpr uid_t kTech = 4242;
constexpr gid_t kDialout = 20;
constexpr gid_t kTechGroup = 4242;

UserIdentity Tech(std::vector<gid_t> loginGroups) {
    return {kTech, "tech", kTechGroup, std::move(loginGroups)};
}

// An access list as the kernel keeps it: version 2, then (tag, permissions, id) entries.
std::vector<std::uint8_t> Acl(std::initializer_list<std::array<std::uint32_t, 3>> entries) {
    std::vector<std::uint8_t> bytes = {2, 0, 0, 0};
    for (const auto& [tag, permissions, id] : entries) {
        for (const std::uint32_t value : {tag, permissions}) {
            bytes.push_back(static_cast<std::uint8_t>(value));
            bytes.push_back(static_cast<std::uint8_t>(value >> 8));
        }
        for (int shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<std::uint8_t>(id >> shift));
        }
    }
    return bytes;
}

constexpr std::uint32_t kUserObject = 0x01, kUser = 0x02, kGroupObject = 0x04, kGroup = 0x08,
                        kMask = 0x10, kOther = 0x20, kAnyId = 0xFFFFFFFF;

TEST(MayReadWrite, FollowsTheOwnerGroupAndOtherBitsAndTheLoginsGroups) {
    const struct {
        const char* what;
        FileOwner owner;
        UserIdentity user;
        bool allowed;
    } cases[] = {
        {"root may open anything", {0, 0, 0600}, {0, "root", 0, {0}}, true},
        {"the owner's bits", {kTech, kDialout, 0600}, Tech({}), true},
        {"the owner's bits apply to the owner alone",
         {kTech, kDialout, 0060},
         Tech({kDialout}),
         false},
        {"a group of this login", {0, kDialout, 0660}, Tech({kTechGroup, kDialout}), true},
        {"a group the login lacks", {0, kDialout, 0660}, Tech({kTechGroup}), false},
        {"the group may only write", {0, kDialout, 0620}, Tech({kDialout}), false},
        {"anyone", {0, kDialout, 0666}, Tech({}), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(MayReadWrite(c.owner, {}, c.user), c.allowed);
    }
}

TEST(MayReadWrite, AnAccessListDecidesWhenTheFileHasOne) {
    const FileOwner owner{0, kDialout, 0660};
    const struct {
        const char* what;
        std::vector<std::uint8_t> acl;
        UserIdentity user;
        bool allowed;
    } cases[] = {
        {"udev's uaccess: an entry for the logged-in user",
         Acl({{kUserObject, 6, kAnyId},
              {kUser, 6, kTech},
              {kGroupObject, 6, kAnyId},
              {kMask, 6, kAnyId},
              {kOther, 0, kAnyId}}),
         Tech({}), true},
        {"the mask limits the user's entry",
         Acl({{kUserObject, 6, kAnyId},
              {kUser, 6, kTech},
              {kGroupObject, 6, kAnyId},
              {kMask, 4, kAnyId},
              {kOther, 0, kAnyId}}),
         Tech({}), false},
        {"a named group",
         Acl({{kUserObject, 6, kAnyId},
              {kGroupObject, 0, kAnyId},
              {kGroup, 6, 77},
              {kMask, 6, kAnyId},
              {kOther, 0, kAnyId}}),
         Tech({77}), true},
        {"a matching group that grants nothing does not fall through to other",
         Acl({{kUserObject, 6, kAnyId},
              {kGroupObject, 0, kAnyId},
              {kMask, 6, kAnyId},
              {kOther, 6, kAnyId}}),
         Tech({kDialout}), false},
        {"no entry of the user's: other",
         Acl({{kUserObject, 6, kAnyId},
              {kUser, 6, 1},
              {kGroupObject, 0, kAnyId},
              {kMask, 6, kAnyId},
              {kOther, 6, kAnyId}}),
         Tech({}), true},
        {"a list of another version counts as none", {3, 0, 0, 0}, Tech({kDialout}), true},
        {"a torn list counts as none", {2, 0, 0, 0, 1}, Tech({}), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(MayReadWrite(owner, c.acl, c.user), c.allowed);
    }
}

class CheckAccessTest : public ::testing::Test {
protected:
    CheckAccessTest() {
        m_system.MakeNode("ttyUSB0", 0660);
        m_group = m_system.GiveNodeAGroup("ttyUSB0");
    }
    // The node belongs to the group of this process, which the group file calls dialout.
    void WriteGroups(const std::string& members) {
        m_system.WriteGroups("root:x:0:\ndialout:x:" + std::to_string(m_group) + ":" + members +
                             "\ntech:x:" + std::to_string(kTechGroup) + ":\n");
    }
    // Anyone but the owner of the node.
    UserIdentity User(std::vector<gid_t> loginGroups) const {
        UserIdentity user = Tech(std::move(loginGroups));
        user.uid = ::getuid() + 1;
        return user;
    }

    FixtureSystem m_system;
    gid_t m_group = 0;
};

TEST_F(CheckAccessTest, NamesTheOwningGroupAndWhetherTheAccountAndTheLoginHaveIt) {
    const struct {
        const char* what;
        const char* members;
        std::vector<gid_t> login;
        bool allowed;
        bool account;
        bool inLogin;
    } cases[] = {
        {"not in the group", "someone", {kTechGroup}, false, false, false},
        {"joined, but the login is older", "someone,tech", {kTechGroup}, false, true, false},
        {"in the group and the login", "tech", {kTechGroup, m_group}, true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteGroups(c.members);
        const auto verdict = CheckAccess(m_system.Dev("ttyUSB0"), User(c.login), m_system.roots());
        ASSERT_TRUE(verdict);
        EXPECT_EQ(verdict->allowed, c.allowed);
        EXPECT_EQ(verdict->groupName, "dialout");
        EXPECT_TRUE(verdict->groupGrants);
        EXPECT_EQ(verdict->accountHasGroup, c.account);
        EXPECT_EQ(verdict->loginHasGroup, c.inLogin);
    }
}

TEST_F(CheckAccessTest, AGroupTheFileDoesNotNameIsShownByItsNumberAndAMissingDeviceHasNoVerdict) {
    m_system.WriteGroups("root:x:0:\n");
    const auto verdict = CheckAccess(m_system.Dev("ttyUSB0"), User({}), m_system.roots());
    ASSERT_TRUE(verdict);
    EXPECT_EQ(verdict->groupName, std::to_string(m_group));
    EXPECT_FALSE(verdict->accountHasGroup);
    EXPECT_FALSE(CheckAccess(m_system.Dev("ttyUSB9"), User({}), m_system.roots()));
}

TEST_F(CheckAccessTest, TheAccessListOfARealFileIsRead) {
    WriteGroups("");
    const UserIdentity user = User({});
    const auto acl = Acl({{kUserObject, 6, kAnyId},
                          {kUser, 6, user.uid},
                          {kGroupObject, 6, kAnyId},
                          {kMask, 6, kAnyId},
                          {kOther, 0, kAnyId}});
    const auto node = m_system.Dev("ttyUSB0");
    if (::setxattr(node.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) != 0) {
        GTEST_SKIP() << "this file system keeps no access lists: " << std::strerror(errno);
    }
    EXPECT_TRUE(CheckAccess(node, user, m_system.roots())->allowed);
}

}  // namespace
}  // namespace radioprog
