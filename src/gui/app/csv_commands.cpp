#include "gui/app/csv_commands.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QStatusBar>

#include "core/base/atomic_file.h"
#include "core/doc/csv_import.h"
#include "gui/app/export_names.h"
#include "gui/app/main_frame.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"
#include "gui/dialogs/csv_import_dlg.h"
#include "gui/view/program_view.h"

namespace radioprog::gui {
namespace {

QString CsvFilter() {
    return CMainFrame::tr("CSV files (*.csv)") + ";;" + CMainFrame::tr("All files (*)");
}

std::filesystem::path LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The channel window to work on: none during a transfer, and none while an edit it holds open
// is refused (the refusal has been shown).
CProgramView* ReadyView(CMainFrame& frame) {
    CProgramView* view = frame.activeView();
    if (!view || view->transferRunning() || !view->CommitEdit()) {
        return nullptr;
    }
    return view;
}

}  // namespace

CCsvCommands::CCsvCommands(const AppContext& context, CMainFrame& frame)
    : QObject(&frame), m_context(context), m_frame(frame) {
    setObjectName("csvCommands");
}

void CCsvCommands::Warn(const QString& text) {
    Messages().Show(&m_frame, QMessageBox::Warning, Q(m_context.appName), text, QMessageBox::Ok);
}

void CCsvCommands::OnImportCsv() {
    if (!m_frame.activeView()) {
        return;
    }
    const QString path =
        QFileDialog::getOpenFileName(&m_frame, CMainFrame::tr("Import CSV"), {}, CsvFilter());
    if (!path.isEmpty()) {
        ImportFile(path);
    }
}

void CCsvCommands::OnExportCsv() {
    CProgramView* view = m_frame.activeView();
    if (!view) {
        return;
    }
    const QString path = AskExportName(&m_frame, CMainFrame::tr("Export CSV"),
                                       QString::fromStdString(view->document().pathName().string()),
                                       "csv", CsvFilter());
    if (!path.isEmpty()) {
        ExportFile(path);
    }
}

bool CCsvCommands::ImportFile(const QString& path) {
    CProgramView* view = ReadyView(m_frame);
    if (!view) {
        return false;
    }
    CsvImportPlan plan;
    if (Status planned =
            PlanCsvImportFile(LocalPath(path), m_context.band, m_context.language, plan);
        !planned) {
        Warn(Q(planned.message()));
        return false;
    }
    CCsvImportDlg preview(m_context, plan, QDir::toNativeSeparators(path), &m_frame);
    preview.setObjectName("csvImportDialog");
    if (preview.exec() != QDialog::Accepted) {
        return false;
    }
    const bool changed = ApplyCsvImport(view->document(), plan, preview.replaceAll());
    m_frame.statusBar()->showMessage(Q(CsvImportSummary(plan, m_context.language)));
    return changed;
}

bool CCsvCommands::ExportFile(const QString& path) {
    CProgramView* view = ReadyView(m_frame);
    if (!view) {
        return false;
    }
    const std::string csv = ExportDocumentCsv(view->document(), m_context.band);
    if (Status written = WriteFileAtomically(LocalPath(path), csv); !written) {
        Warn(Q(written.message()));
        return false;
    }
    m_frame.statusBar()->showMessage(
        CMainFrame::tr("The channels were written to %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

}  // namespace radioprog::gui
