#pragma once

#include "core/base/status.h"

namespace radioprog {

class UserStore;

/// Setup > Transfer Options: what a write does besides writing. Kept in the per-user store.
struct TransferOptions {
    bool backupBeforeWrite = true;        ///< "Back up the radio before writing"
    bool verifyAfterWrite = true;         ///< "Verify after writing"
    bool showChangesBeforeWrite = false;  ///< "Show the changes before writing"

    bool operator==(const TransferOptions&) const = default;
};

/// The options of the per-user store (section `Software\radioprog\Transfer`, values
/// `BackupBeforeWrite`, `VerifyAfterWrite`, `ShowChangesBeforeWrite`, 0 or 1); the defaults for
/// what it does not hold.
TransferOptions LoadTransferOptions(const UserStore& store);
[[nodiscard]] Status StoreTransferOptions(UserStore& store, const TransferOptions& options);

}  // namespace radioprog
