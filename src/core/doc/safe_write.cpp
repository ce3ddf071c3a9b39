#include "core/doc/safe_write.h"

#include <algorithm>

#include "core/base/string_table.h"
#include "core/link/link_messages.h"
#include "core/link/verify.h"

namespace radioprog {
namespace {

using Kind = SafeWriteResult::Kind;
using Outcome = TransferOutcome::Kind;

constexpr BilingualText kBackingUp{"Backing up", "正在备份"};
constexpr BilingualText kWriting{"Writing", "正在写入"};
constexpr BilingualText kVerifying{"Verifying", "正在校验"};

constexpr BilingualText kVerified{"Written and verified", "写入并校验完成"};
constexpr BilingualText kWritten{"Written (not verified)", "已写入（未校验）"};
constexpr BilingualText kUnchanged{"The radio already holds this memory; nothing was written.",
                                   "对讲机中的数据与此相同，未写入。"};
constexpr BilingualText kDiffers{
    "The radio reads back differently from what was written, at the half-blocks ",
    "回读的数据与写入的不一致，半块地址："};
constexpr BilingualText kNotReadBack{
    "The memory was written but could not be read back to check it: blocks done ",
    "数据已写入，但无法回读校验：已完成数据块 "};
constexpr BilingualText kMixed{
    "The write stopped part-way: the radio now holds a mix of its old and new memory (blocks "
    "done ",
    "写入中途停止：对讲机中现为新旧数据的混合（已完成数据块 "};
constexpr BilingualText kMixedAdvice{
    "). Write again, or restore the backup taken before the write.",
    "）。请重新写入，或恢复写入前的备份。"};
constexpr BilingualText kMixedNoBackup{"). Write again.", "）。请重新写入。"};
constexpr BilingualText kBackupFailed{
    "Nothing was written: the radio's memory could not be backed up first. ",
    "未写入：无法先备份对讲机的数据。"};
constexpr BilingualText kNotRead{"The radio could not be read: blocks done ",
                                 "无法读取对讲机：已完成数据块 "};
constexpr BilingualText kBackupKept{"Backup: ", "备份："};

std::string In(const BilingualText& text, Language language) {
    return std::string(text.In(language));
}

// Whether a transfer that did not complete ends the safe write, and how.
bool Ended(const TransferOutcome& outcome, SafeWriteResult& result) {
    result.blocksDone = outcome.blocksDone;
    switch (outcome.kind) {
        case Outcome::Complete:
            return false;
        case Outcome::Cancelled:
            result.kind = Kind::Cancelled;
            break;
        case Outcome::NotConnected:
            result.kind = Kind::NotConnected;
            result.connectEnd = outcome.connectEnd;
            break;
        case Outcome::Incomplete:
            result.kind = result.phase == SafeWritePhase::Writing ? Kind::WriteIncomplete
                                                                  : Kind::BackupFailed;
            break;
    }
    return true;
}

// Reads the radio before the write and keeps what it holds. False when the write must not go on.
bool BackUp(const RadioImage& image, PortOpener& opener, LinkSession& session,
            const BackupStore& backups, const SafeWriteOptions& options,
            SafeWriteObserver& observer, SafeWriteResult& result) {
    result.phase = SafeWritePhase::BackingUp;
    observer.PhaseStarted(result.phase);
    // What the radio does not send (blocks 62 and 63) is kept from the image to write.
    RadioImage radio = image;
    if (Ended(TransferImage(TransferDirection::Read, radio, opener, session, observer), result)) {
        if (result.kind == Kind::BackupFailed) {
            result.backupError =
                In(kNotRead, options.language) + BlocksDoneDetail(result.blocksDone);
        }
        return false;
    }
    result.radioBefore = radio;
    if (options.backup) {
        const std::string& port = options.portLabel.empty() ? session.portName : options.portLabel;
        const BackupStore::Saved saved =
            backups.Save(radio, BackupKind::BeforeWrite, port, options.language);
        if (!saved.status) {
            result.kind = Kind::BackupFailed;
            result.backupError = saved.status.message();
            return false;
        }
        result.backupFile = saved.file;
    }
    if (options.confirmChanges) {
        if (DifferingHalfBlocks(image, radio, session.role).empty()) {
            result.kind = Kind::Unchanged;
            return false;
        }
        if (!observer.ConfirmChanges(radio, image)) {
            result.kind = Kind::Cancelled;
            return false;
        }
    }
    return true;
}

// An Admin's write sends the identity record, so the radio now asks for the Admin password the
// written memory holds; the check logs in with that one. A User's write leaves the identity alone.
LinkSession SessionAfterWrite(const RadioImage& written, const LinkSession& session) {
    LinkSession after = session;
    if (session.role == AccessRole::Admin) {
        std::copy_n(written.begin() + image::kIdentityAdminPassword, after.loginPassword.size(),
                    after.loginPassword.begin());
    }
    return after;
}

void Verify(const RadioImage& image, PortOpener& opener, const LinkSession& session,
            const SafeWriteOptions& options, SafeWriteObserver& observer, SafeWriteResult& result) {
    result.phase = SafeWritePhase::Verifying;
    observer.PhaseStarted(result.phase);
    RadioImage readBack = image;
    LinkSession afterWrite = SessionAfterWrite(image, session);
    const TransferOutcome outcome = TransferImage(TransferDirection::Read, readBack, opener,
                                                  afterWrite, observer, options.verifyPatience);
    result.blocksDone = outcome.blocksDone;
    result.connectEnd = outcome.connectEnd;
    if (outcome.kind != Outcome::Complete) {
        result.kind = Kind::VerifyFailed;
        return;
    }
    result.differing = DifferingHalfBlocks(image, readBack, session.role);
    result.kind = result.differing.empty() ? Kind::Verified : Kind::VerifyFailed;
}

}  // namespace

std::string SafeWritePhaseText(SafeWritePhase phase, Language language) {
    switch (phase) {
        case SafeWritePhase::BackingUp:
            return In(kBackingUp, language);
        case SafeWritePhase::Writing:
            return In(kWriting, language);
        case SafeWritePhase::Verifying:
            return In(kVerifying, language);
    }
    return {};
}

SafeWriteResult SafeWrite(const RadioImage& image, PortOpener& opener, LinkSession& session,
                          const BackupStore& backups, const SafeWriteOptions& options,
                          SafeWriteObserver& observer) {
    SafeWriteResult result;
    if ((options.backup || options.confirmChanges) &&
        !BackUp(image, opener, session, backups, options, observer, result)) {
        return result;
    }
    result.phase = SafeWritePhase::Writing;
    observer.PhaseStarted(result.phase);
    RadioImage sent = image;
    if (Ended(TransferImage(TransferDirection::Write, sent, opener, session, observer), result)) {
        return result;
    }
    if (!options.verify) {
        result.kind = Kind::Written;
        return result;
    }
    Verify(image, opener, session, options, observer, result);
    return result;
}

std::string SafeWriteMessage(const SafeWriteResult& result, Language language) {
    const std::string done = BlocksDoneDetail(result.blocksDone);
    const std::string backup = result.backupFile.empty()
                                   ? ""
                                   : "\n" + In(kBackupKept, language) + result.backupFile.string();
    const bool partWritten = result.phase == SafeWritePhase::Writing && result.blocksDone > 0;
    switch (result.kind) {
        case Kind::Verified:
            return In(kVerified, language);
        case Kind::Written:
            return In(kWritten, language);
        case Kind::Unchanged:
            return In(kUnchanged, language);
        case Kind::VerifyFailed:
            if (!result.differing.empty()) {
                return In(kDiffers, language) + HalfBlockList(result.differing) + backup;
            }
            return In(kNotReadBack, language) + done + backup;
        case Kind::WriteIncomplete:
        case Kind::Cancelled:
        case Kind::NotConnected:
            if (result.kind == Kind::WriteIncomplete || partWritten) {
                return In(kMixed, language) + done +
                       In(result.backupFile.empty() ? kMixedNoBackup : kMixedAdvice, language) +
                       backup;
            }
            return {};
        case Kind::BackupFailed:
            return In(kBackupFailed, language) + result.backupError;
    }
    return {};
}

}  // namespace radioprog
