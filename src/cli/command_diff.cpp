#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "cli_observer.h"
#include "commands.h"
#include "core/doc/backup_store.h"
#include "core/radio/memory_diff.h"
#include "core/radio/new_image.h"
#include "link_options.h"

namespace radioprog::cli {
namespace {

struct DiffOptions {
    std::string from;
    std::string to;
    LinkOptions link;
    std::optional<std::string> lang;
    bool json = false;
};

constexpr BilingualText kBackupWarning{"Warning: the read was not kept as a backup: ",
                                       "警告：读取的数据未能保存为备份："};

void PrintJson(const MemoryDiff& diff) {
    nlohmann::ordered_json out;
    out["identical"] = diff.Identical();
    out["channels"] = nlohmann::ordered_json::array();
    for (const ChannelChange& change : diff.channels) {
        out["channels"].push_back({{"channel", change.channel},
                                   {"column", ColumnKey(change.column)},
                                   {"old", change.oldText},
                                   {"new", change.newText}});
    }
    out["settings"] = nlohmann::ordered_json::array();
    for (const SettingChange& change : diff.settings) {
        out["settings"].push_back({{"dialog", change.dialogKey},
                                   {"control", change.controlKey},
                                   {"old", change.oldText},
                                   {"new", change.newText}});
    }
    out["bytes"] = nlohmann::ordered_json::array();
    for (const ByteRange& range : diff.bytes) {
        out["bytes"].push_back({{"from", range.from}, {"to", range.to}});
    }
    std::cout << out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

// The radio's memory, kept as a read backup like every complete read. Nothing when it did not
// arrive whole; @p exitCode then says why.
std::optional<RadioImage> ReadRadio(const DiffOptions& options, AppContext& context,
                                    int& exitCode) {
    auto session = StartSession(options.link, context);
    RadioImage image = NewRadioImage(context.link.loginPassword);
    CliObserver observer(context.language, options.link.retries, "Read");
    const TransferOutcome outcome =
        TransferImage(TransferDirection::Read, image, session->opener(), context.link, observer);
    observer.FinishProgress();
    exitCode = session->Finish(ExitCodeFor(outcome));
    if (outcome.kind != TransferOutcome::Kind::Complete || exitCode != kExitOk) {
        return std::nullopt;
    }
    const BackupStore backups(BackupStore::DefaultFolder(), StoredBackupLimits(context.userStore));
    const BackupStore::Saved kept =
        backups.Save(image, BackupKind::Read, options.link.port, context.language);
    if (!kept.status) {
        Report(std::string(kBackupWarning.In(context.language)) + kept.status.message());
    }
    return image;
}

int RunDiff(const GlobalOptions& global, const DiffOptions& options) {
    if (options.to.empty() == options.link.port.empty()) {
        throw UsageError("diff compares a file with a second file or with the radio on --port");
    }
    auto context = MakeContext(global, options.lang);
    CProgramDoc from;
    if (Status opened = OpenDocument(options.from, *context, from); !opened) {
        Report(opened.message());
        return kExitFileError;
    }
    RadioImage to{};
    if (!options.to.empty()) {
        CProgramDoc second;
        if (Status opened = OpenDocument(options.to, *context, second); !opened) {
            Report(opened.message());
            return kExitFileError;
        }
        to = second.image();
    } else {
        int exitCode = kExitOk;
        const std::optional<RadioImage> radio = ReadRadio(options, *context, exitCode);
        if (!radio) {
            return exitCode;
        }
        to = *radio;
    }
    const MemoryDiff diff = CompareMemories(from.image(), to, context->language);
    if (options.json) {
        PrintJson(diff);
    } else {
        for (const std::string& line : DiffLines(diff, context->language)) {
            std::cout << line << '\n';
        }
    }
    return diff.Identical() ? kExitOk : kExitRefused;
}

}  // namespace

Subcommand AddDiffCommand(CLI::App& app, const GlobalOptions& global) {
    auto options = std::make_shared<DiffOptions>();
    CLI::App* sub = app.add_subcommand(
        "diff",
        "Show how a .dat file differs from a second one or from the radio: channels as the grid "
        "shows them, settings by their dialog's controls, other bytes as addresses. Exits 0 when "
        "they are the same and 1 when they differ");
    sub->add_option("file", options->from, "The .dat file (- for standard input)")->required();
    sub->add_option("other", options->to, "The .dat file to compare it with");
    sub->add_option("--port", options->link.port,
                    "Compare with the radio on this port instead (COM1-COM4, a device, or "
                    "\"demo\"); the read is kept as a backup");
    sub->add_option("--role", options->link.role, "Log in as admin (default) or user")
        ->check(CLI::IsMember({"admin", "user"}));
    AddPasswordOptions(*sub, options->link.password, "Login password, up to six digits");
    sub->add_option("--retries", options->link.retries,
                    "How often to answer Retry to a communication error, 0 to 99");
    AddTraceOption(*sub, options->link);
    sub->add_option("--lang", options->lang, "Language of the texts (default: Program.ini's)")
        ->check(CLI::IsMember({"en", "zh"}));
    sub->add_flag("--json", options->json,
                  "Print one JSON object: identical, channels, settings and bytes");
    return {sub, [&global, options] { return RunDiff(global, *options); }};
}

}  // namespace radioprog::cli
