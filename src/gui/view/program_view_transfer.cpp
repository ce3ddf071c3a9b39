// The channel window's transfers: Read, the safe Write and what it says at its end, Compare
// with Radio and the restore of a backup.
#include "core/base/regular_file.h"
#include "core/doc/backup_store.h"
#include "core/radio/memory_diff.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"
#include "gui/dialogs/compare_dlg.h"
#include "gui/link/gui_link_observer.h"
#include "gui/view/program_view.h"

namespace radioprog::gui {
namespace {

constexpr BilingualText kCompareTitle{"Compare with Radio", "与对讲机比较"};
constexpr BilingualText kRestoreTitle{"Restore Backup", "恢复备份"};
constexpr BilingualText kReadNotKept{"The read was not kept as a backup: ",
                                     "读取的数据未能保存为备份："};

std::optional<RadioImage> LoadBackup(const std::filesystem::path& file, Language language,
                                     std::string& error) {
    FileStart start;
    if (Status read = ReadRegularFile(file, image::kSize, language, start); !read) {
        error = read.message();
        return std::nullopt;
    }
    if (start.bytes.size() < image::kSize) {
        error = CannotOpen(file, "shorter than 1024 bytes", language);
        return std::nullopt;
    }
    RadioImage backup{};
    std::copy_n(start.bytes.begin(), image::kSize, backup.begin());
    return backup;
}

}  // namespace

void CProgramView::OnCompareWithRadio() {
    CommitEdit();
    m_restore.reset();
    OpenProgressDialog(TransferDirection::Read);
    m_compareWithRadio = true;
    if (m_process) {
        m_process->SetTitle(Q(kCompareTitle.In(m_context.language)));
    }
}

void CProgramView::RestoreBackup(const RadioImage& backup) {
    m_compareWithRadio = false;
    OpenProgressDialog(TransferDirection::Write);
    m_restore = backup;
    if (m_process) {
        m_process->SetTitle(Q(kRestoreTitle.In(m_context.language)));
    }
}

void CProgramView::OnRadioTransfer() {
    if (m_transferRunning || !m_process) {
        return;
    }
    m_transferRunning = true;
    emit TransferStateChanged();
    const TransferDirection direction = m_direction;
    GuiLinkObserver observer(m_context, this, m_process);
    std::optional<SafeWriteResult> write;
    if (m_compareWithRadio) {
        CompareWithRadio(observer);
    } else {
        const std::optional<RadioImage> restore = std::exchange(m_restore, std::nullopt);
        const RadioTransferResult result = RunRadioTransfer(direction, *m_doc, TakeOpenEdit(),
                                                            m_opener, m_context, observer, restore);
        if (result.refresh) {
            emit TitleChanged(Q(result.refresh->windowTitle));
            if (!result.refresh->mirror) {
                emit Problem(Q(result.refresh->mirror.message()));
            }
            ShowReadBackup(result);
        }
        write = result.write;
    }
    // Gone at once, so that Write Again and Restore Backup open a fresh one.
    if (m_process) {
        m_process->Finish();
        m_process = nullptr;
    }
    m_transferRunning = false;
    emit TransferStateChanged();
    if (write) {
        ShowWriteResult(*write);
    }
}

void CProgramView::ShowReadBackup(const RadioTransferResult& result) {
    if (!result.backup) {
        Messages().Show(
            this, QMessageBox::Warning, Q(m_context.appName),
            Q(std::string(kReadNotKept.In(m_context.language)) + result.backup.message()),
            QMessageBox::Ok);
    }
}

void CProgramView::CompareWithRadio(GuiLinkObserver& observer) {
    m_compareWithRadio = false;
    CommitEdit();
    m_doc->StoreTexts(m_context.band);
    RadioImage radio = m_doc->image();
    const TransferOutcome outcome =
        TransferImage(TransferDirection::Read, radio, m_opener, m_context.link, observer);
    if (outcome.kind != TransferOutcome::Kind::Complete) {
        return;
    }
    const BackupStore backups(m_context.backupFolder, StoredBackupLimits(m_context.userStore));
    RadioTransferResult kept;
    kept.backup =
        backups.Save(radio, BackupKind::Read, m_context.link.portName, m_context.language).status;
    if (m_process) {
        m_process->Finish();
        m_process = nullptr;
    }
    ShowReadBackup(kept);
    CCompareDlg compare(
        m_context, CompareMemories(radio, m_doc->image(), m_context.language),
        CCompareDlg::tr("Changes a write of this document would make to the radio:"),
        CCompareDlg::Purpose::Look, window());
    compare.setObjectName("compareWithRadioDialog");
    compare.exec();
}

void CProgramView::ShowWriteResult(const SafeWriteResult& write) {
    using Kind = SafeWriteResult::Kind;
    const QString text = Q(SafeWriteMessage(write, m_context.language));
    if (text.isEmpty()) {
        return;
    }
    const QString caption = Q(m_context.appName);
    const bool mixed = write.kind == Kind::WriteIncomplete ||
                       (write.kind == Kind::Cancelled && write.phase == SafeWritePhase::Writing &&
                        write.blocksDone > 0);
    const QString writeAgain = tr("Write Again");
    const QString close = tr("Close");
    switch (write.kind) {
        case Kind::Verified:
        case Kind::Written:
        case Kind::Unchanged:
            Messages().Show(this, QMessageBox::Information, caption, text, QMessageBox::Ok);
            return;
        case Kind::VerifyFailed:
            if (Messages().Choose(this, QMessageBox::Warning, caption, text, {writeAgain, close}) ==
                0) {
                OnWrite();
            }
            return;
        case Kind::BackupFailed:
        case Kind::NotConnected:
        case Kind::Cancelled:
        case Kind::WriteIncomplete:
            break;
    }
    if (!mixed) {
        Messages().Show(this, QMessageBox::Warning, caption, text, QMessageBox::Ok);
        return;
    }
    QStringList choices = {writeAgain};
    if (!write.backupFile.empty()) {
        choices.push_back(tr("Restore Backup"));
    }
    choices.push_back(close);
    const int chosen = Messages().Choose(this, QMessageBox::Warning, caption, text, choices);
    if (chosen == 0) {
        OnWrite();
    } else if (chosen == 1 && !write.backupFile.empty()) {
        std::string error;
        if (const auto backup = LoadBackup(write.backupFile, m_context.language, error)) {
            RestoreBackup(*backup);
        } else {
            Messages().Show(this, QMessageBox::Warning, caption, Q(error), QMessageBox::Ok);
        }
    }
}

}  // namespace radioprog::gui
