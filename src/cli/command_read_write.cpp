#include <memory>

#include "cli_observer.h"
#include "commands.h"
#include "core/base/atomic_file.h"
#include "core/doc/backup_store.h"
#include "core/doc/safe_write.h"
#include "core/radio/image_doubts.h"
#include "link_options.h"
#include "standard_streams.h"

namespace radioprog::cli {
namespace {

struct ReadOptions {
    LinkOptions link;
    std::string output;
};

struct WriteOptions {
    LinkOptions link;
    std::string file;
    bool force = false;
    bool noBackup = false;
    bool noVerify = false;
};

constexpr BilingualText kBackupWarning{"Warning: the read was not kept as a backup: ",
                                       "警告：读取的数据未能保存为备份："};

int SafeWriteExitCode(const SafeWriteResult& result) {
    using Kind = SafeWriteResult::Kind;
    switch (result.kind) {
        case Kind::Verified:
        case Kind::Written:
        case Kind::Unchanged:
            return kExitOk;
        case Kind::VerifyFailed:
            return kExitVerifyFailed;
        case Kind::WriteIncomplete:
        case Kind::Cancelled:
            return kExitIncomplete;
        case Kind::BackupFailed:
            // The radio could not be read, or its memory could not be kept in a file.
            return result.blocksDone < kTransferBlocks ? kExitIncomplete : kExitFileError;
        case Kind::NotConnected:
            break;
    }
    return ExitCodeFor(TransferOutcome{TransferOutcome::Kind::NotConnected, 0, result.connectEnd});
}

// The image exactly as the radio gave it, in a new document; nothing is written unless every
// block arrived. A complete read is also kept as a backup; one that cannot be kept is a warning.
int Read(const ReadOptions& options, AppContext& context, PortSession& session) {
    RadioImage image = NewRadioImage(context.link.loginPassword);
    CliObserver observer(context.language, options.link.retries, "Read");
    const TransferOutcome outcome =
        TransferImage(TransferDirection::Read, image, session.opener(), context.link, observer);
    observer.FinishProgress();
    if (outcome.kind != TransferOutcome::Kind::Complete) {
        return ExitCodeFor(outcome);
    }
    if (Status saved = WriteOutput(options.output, image, context.language); !saved) {
        Report(saved.message());
        return kExitFileError;
    }
    const BackupStore backups(BackupStore::DefaultFolder(), StoredBackupLimits(context.userStore));
    const BackupStore::Saved kept =
        backups.Save(image, BackupKind::Read, options.link.port, context.language);
    if (!kept.status) {
        Report(std::string(kBackupWarning.In(context.language)) + kept.status.message());
    }
    return kExitOk;
}

int RunRead(const GlobalOptions& global, const ReadOptions& options) {
    auto context = MakeContext(global, std::nullopt);
    // Found now, not after the seconds the read takes.
    if (Status writable = CheckReplaceable(options.output, context->language); !writable) {
        Report(writable.message());
        return kExitFileError;
    }
    auto session = StartSession(options.link, *context);
    return session->Finish(Read(options, *context, *session));
}

// Blocks 0-61 of the file as they are: the file is not passed through the grid. The radio is
// backed up first and read back afterwards unless told otherwise.
int RunWrite(const GlobalOptions& global, const WriteOptions& options) {
    auto context = MakeContext(global, std::nullopt);
    CProgramDoc doc;
    if (Status opened = OpenDocument(options.file, *context, doc); !opened) {
        Report(opened.message());
        return kExitFileError;
    }
    // The doubt itself came with the open; the radio gets such an image only when told to.
    if (!ImageDoubts(doc.image(), context->language).empty() && !options.force) {
        Report(std::string(BilingualText{"Give --force to write it to the radio anyway",
                                         "如仍要写入对讲机，请加 --force"}
                               .In(context->language)));
        return kExitFileError;
    }
    auto session = StartSession(options.link, *context);
    CliObserver observer(context->language, options.link.retries, "Write");
    SafeWriteOptions safe;
    safe.backup = !options.noBackup;
    safe.verify = !options.noVerify;
    safe.portLabel = options.link.port;
    safe.language = context->language;
    const BackupStore backups(BackupStore::DefaultFolder(), StoredBackupLimits(context->userStore));
    const SafeWriteResult result =
        SafeWrite(doc.image(), session->opener(), context->link, backups, safe, observer);
    observer.FinishProgress();
    if (const std::string message = SafeWriteMessage(result, context->language); !message.empty()) {
        Report(message);
    }
    return session->Finish(SafeWriteExitCode(result));
}

}  // namespace

Subcommand AddReadCommand(CLI::App& app, const GlobalOptions& global) {
    auto options = std::make_shared<ReadOptions>();
    CLI::App* sub = app.add_subcommand("read", "Read the radio's memory into a .dat file");
    AddLinkOptions(*sub, options->link, true);
    sub->add_option("-o,--output", options->output,
                    "The .dat file to write (- for standard output)")
        ->required();
    return {sub, [&global, options] { return RunRead(global, *options); }};
}

Subcommand AddWriteCommand(CLI::App& app, const GlobalOptions& global) {
    auto options = std::make_shared<WriteOptions>();
    CLI::App* sub = app.add_subcommand("write", "Write a .dat file into the radio's memory");
    AddLinkOptions(*sub, options->link, true);
    sub->add_option("file", options->file, "The .dat file")->required();
    sub->add_flag("--force", options->force,
                  "Write a file whose band or identity no radio has (most likely not a radio "
                  "file)");
    sub->add_flag("--no-backup", options->noBackup,
                  "Do not read the radio first to keep its memory as a before-write backup");
    sub->add_flag("--no-verify", options->noVerify,
                  "Do not read the radio back to check what was written (exit 8 when it "
                  "differs)");
    return {sub, [&global, options] { return RunWrite(global, *options); }};
}

}  // namespace radioprog::cli
