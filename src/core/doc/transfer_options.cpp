#include "core/doc/transfer_options.h"

#include <string_view>

#include "core/doc/user_store.h"

namespace radioprog {
namespace {

constexpr std::string_view kKey = "Software\\radioprog\\Transfer";
constexpr std::string_view kBackup = "BackupBeforeWrite";
constexpr std::string_view kVerify = "VerifyAfterWrite";
constexpr std::string_view kShowChanges = "ShowChangesBeforeWrite";

bool Flag(const UserStore& store, std::string_view name, bool fallback) {
    return store.GetInt(kKey, name, fallback ? 1 : 0) != 0;
}

}  // namespace

TransferOptions LoadTransferOptions(const UserStore& store) {
    TransferOptions options;
    options.backupBeforeWrite = Flag(store, kBackup, options.backupBeforeWrite);
    options.verifyAfterWrite = Flag(store, kVerify, options.verifyAfterWrite);
    options.showChangesBeforeWrite = Flag(store, kShowChanges, options.showChangesBeforeWrite);
    return options;
}

Status StoreTransferOptions(UserStore& store, const TransferOptions& options) {
    for (const auto& [name, on] : {std::pair{kBackup, options.backupBeforeWrite},
                                   std::pair{kVerify, options.verifyAfterWrite},
                                   std::pair{kShowChanges, options.showChangesBeforeWrite}}) {
        if (Status stored = store.SetInt(kKey, name, on ? 1 : 0); !stored) {
            return stored;
        }
    }
    return Status::Ok();
}

}  // namespace radioprog
