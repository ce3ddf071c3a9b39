#include "gui/app/safety_commands.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStatusBar>

#include "core/radio/memory_diff.h"
#include "gui/app/child_frame.h"
#include "gui/app/main_frame.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"
#include "gui/dialogs/backups_dlg.h"
#include "gui/dialogs/compare_dlg.h"
#include "gui/dialogs/transfer_options_dlg.h"
#include "gui/view/program_view.h"

namespace radioprog::gui {
namespace {

constexpr BilingualText kBackupTitle{"Backup ", "备份 "};

}  // namespace

CSafetyCommands::CSafetyCommands(AppContext& context, CMainFrame& frame)
    : QObject(&frame), m_context(context), m_frame(frame) {
    setObjectName("safetyCommands");
}

void CSafetyCommands::OnTransferOptions() {
    CTransferOptionsDlg options(m_context, &m_frame);
    options.setObjectName("transferOptionsDialog");
    options.exec();
}

void CSafetyCommands::OnBackups() {
    CBackupsDlg backups(m_context, &m_frame);
    backups.setObjectName("backupsDialog");
    if (backups.exec() == QDialog::Accepted && !backups.chosen().empty()) {
        OpenBackup(backups.chosen());
    }
}

bool CSafetyCommands::OpenBackup(const std::filesystem::path& file) {
    if (!m_frame.OpenDocument(QString::fromStdString(file.string()))) {
        return false;
    }
    CProgramView* view = m_frame.activeView();
    if (!view) {
        return false;
    }
    const std::string title =
        std::string(kBackupTitle.In(m_context.language)) + file.filename().string();
    view->document().DetachFromFile(title);
    if (QWidget* frame = m_frame.activeFrame()) {
        frame->setWindowTitle(Q(title) + "[*]");
    }
    return true;
}

void CSafetyCommands::OnCompareWithFile() {
    if (!m_frame.activeView()) {
        return;
    }
    const QString path = QFileDialog::getOpenFileName(
        &m_frame, CMainFrame::tr("Compare with File"), {},
        CMainFrame::tr("Radio files (*.dat)") + ";;" + CMainFrame::tr("All files (*)"));
    if (!path.isEmpty()) {
        CompareWithFile(path);
    }
}

bool CSafetyCommands::CompareWithFile(const QString& path) {
    CProgramView* view = m_frame.activeView();
    if (!view || view->transferRunning() || !view->CommitEdit()) {
        return false;
    }
    view->document().StoreTexts(m_context.band);
    CProgramDoc other;
    // Opening to compare must not change the band in use or end a new document.
    const BandLimits band = m_context.band;
    const bool newDocument = m_context.newDocument;
    const Status opened = other.OnOpenDocument(QFile::encodeName(path).toStdString(), m_context);
    m_context.band = band;
    m_context.newDocument = newDocument;
    if (!opened) {
        Messages().Show(&m_frame, QMessageBox::Warning, Q(m_context.appName), Q(opened.message()),
                        QMessageBox::Ok);
        return false;
    }
    CCompareDlg compare(
        m_context, CompareMemories(view->document().image(), other.image(), m_context.language),
        CCompareDlg::tr("Changes from this document to %1:").arg(QDir::toNativeSeparators(path)),
        CCompareDlg::Purpose::Look, &m_frame);
    compare.setObjectName("compareWithFileDialog");
    compare.exec();
    return true;
}

}  // namespace radioprog::gui
