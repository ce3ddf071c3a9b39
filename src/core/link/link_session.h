#pragma once

#include <string>

#include "core/radio/packed_password.h"

namespace radioprog {

/// Who is logged in: a User may change less of the radio than an Admin.
enum class AccessRole { User, Admin };

/// The role as the per-user store keeps it: 0 User, 1 Admin.
constexpr int StoredRoleValue(AccessRole role) {
    return role == AccessRole::Admin ? 1 : 0;
}
/// A stored role: 0 is User, anything else Admin.
constexpr AccessRole RoleFromStoredValue(int value) {
    return value != 0 ? AccessRole::Admin : AccessRole::User;
}

/// What every exchange with a radio needs to know about the login: the role, the password the
/// radio must match, and the port to open. A re-login during an exchange changes the password.
struct LinkSession {
    AccessRole role = AccessRole::User;
    PackedPassword loginPassword{0, 0, 0};  ///< never stored on disk
    std::string portName = "COM1";          ///< the port every exchange opens
};

}  // namespace radioprog
