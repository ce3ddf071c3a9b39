#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "core/doc/backup_store.h"

namespace radioprog::cli {
namespace {

struct BackupsOptions {
    bool json = false;
};

int RunBackups(const GlobalOptions& global, const BackupsOptions& options) {
    auto context = MakeContext(global, std::nullopt);
    const BackupStore backups(BackupStore::DefaultFolder(), StoredBackupLimits(context->userStore));
    const std::vector<BackupEntry> entries = backups.List();
    if (options.json) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const BackupEntry& entry : entries) {
            list.push_back(
                {{"path", entry.file.string()},
                 {"time", entry.timeText},
                 {"kind", BackupKindName(entry.kind)},
                 {"port", entry.port},
                 {"channels", entry.filledChannels ? nlohmann::ordered_json(*entry.filledChannels)
                                                   : nlohmann::ordered_json(nullptr)}});
        }
        std::cout << list.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << '\n';
        return kExitOk;
    }
    for (const BackupEntry& entry : entries) {
        std::cout << entry.file.string() << "  " << entry.timeText << "  "
                  << Padded(std::string(BackupKindName(entry.kind)), 12) << "  " << entry.port
                  << '\n';
    }
    return kExitOk;
}

}  // namespace

Subcommand AddBackupsCommand(CLI::App& app, const GlobalOptions& global) {
    auto options = std::make_shared<BackupsOptions>();
    CLI::App* sub = app.add_subcommand(
        "backups",
        "List the radio memories kept after every read and before every write, newest first: "
        "path, time, kind (read or before-write) and port");
    sub->add_flag("--json", options->json,
                  "Print them as a JSON array of {path, time, kind, port, channels}");
    return {sub, [&global, options] { return RunBackups(global, *options); }};
}

}  // namespace radioprog::cli
