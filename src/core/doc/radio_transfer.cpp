#include "core/doc/radio_transfer.h"

#include "core/doc/app_context.h"
#include "core/doc/transfer_options.h"
#include "core/radio/image_doubts.h"

namespace radioprog {

namespace {

TransferOutcome WriteOutcome(const SafeWriteResult& write) {
    using Kind = SafeWriteResult::Kind;
    switch (write.kind) {
        case Kind::Verified:
        case Kind::Written:
        case Kind::VerifyFailed:
            return {TransferOutcome::Kind::Complete, kTransferBlocks, std::nullopt};
        case Kind::WriteIncomplete:
            return {TransferOutcome::Kind::Incomplete, write.blocksDone, std::nullopt};
        case Kind::NotConnected:
            if (write.phase == SafeWritePhase::Writing) {
                return {TransferOutcome::Kind::NotConnected, 0, write.connectEnd};
            }
            break;
        case Kind::Cancelled:
        case Kind::Unchanged:
        case Kind::BackupFailed:
            break;
    }
    const int done = write.phase == SafeWritePhase::Writing ? write.blocksDone : 0;
    return {TransferOutcome::Kind::Cancelled, done, std::nullopt};
}

SafeWriteResult Write(const RadioImage& image, PortOpener& opener, AppContext& context,
                      SafeWriteObserver& observer) {
    const TransferOptions transfer = LoadTransferOptions(context.userStore);
    SafeWriteOptions options;
    options.backup = transfer.backupBeforeWrite;
    options.verify = transfer.verifyAfterWrite;
    options.confirmChanges = transfer.showChangesBeforeWrite;
    options.language = context.language;
    const BackupStore backups(context.backupFolder, StoredBackupLimits(context.userStore));
    return SafeWrite(image, opener, context.link, backups, options, observer);
}

}  // namespace

RadioTransferResult RunRadioTransfer(TransferDirection direction, CProgramDoc& doc,
                                     const std::optional<OpenCellEdit>& openEdit,
                                     PortOpener& opener, AppContext& context,
                                     SafeWriteObserver& observer,
                                     const std::optional<RadioImage>& writeInstead) {
    if (openEdit) {
        if (const auto refusal = doc.CommitCell(openEdit->row, openEdit->col, openEdit->text,
                                                context.band, context.language)) {
            observer.ShowMessage(LinkMessage::RefusedEntry,
                                 std::string(StringText(*refusal, context.language)));
        }
    }
    RadioTransferResult result;
    if (direction == TransferDirection::Write) {
        doc.StoreTexts(context.band);
        const RadioImage& image = writeInstead ? *writeInstead : doc.image();
        // Checked on what would go out: the band in use may have mended the file's.
        const std::string doubt = WriteDoubtQuestion(image, context.language);
        if (!doubt.empty() && !observer.ConfirmWrite(doubt)) {
            result.outcome.kind = TransferOutcome::Kind::Cancelled;
            return result;
        }
        result.write = Write(image, opener, context, observer);
        result.outcome = WriteOutcome(*result.write);
        return result;
    }
    RadioImage image = doc.image();
    result.outcome = TransferImage(direction, image, opener, context.link, observer);
    // A read that stopped part-way would mix the radio's memory into the document's.
    if (result.outcome.kind != TransferOutcome::Kind::Complete) {
        return result;
    }
    context.newDocument = false;
    doc.Edit(DocumentEdit::Of(DocumentEdit::Kind::Read), context.band,
             [&](RadioImage& landed, TextGrid& texts) {
                 landed = image;
                 result.refresh = RefreshGridFromImage(landed, texts, context);
             });
    const BackupStore backups(context.backupFolder, StoredBackupLimits(context.userStore));
    const BackupStore::Saved kept =
        backups.Save(image, BackupKind::Read, context.link.portName, context.language);
    result.backup = kept.status;
    result.backupFile = kept.file;
    return result;
}

}  // namespace radioprog
