// Help > Save Serial Trace: the bytes of the last exchange with the radio, for whoever helps.
#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QStatusBar>

#include "core/base/atomic_file.h"
#include "gui/app/frame_actions.h"
#include "gui/app/main_frame.h"
#include "gui/app/message_service.h"

namespace radioprog::gui {

void CMainFrame::AddTraceCommand() {
    connect(m_actions->saveSerialTrace, &QAction::triggered, this, &CMainFrame::OnSaveSerialTrace);
}

void CMainFrame::OnSaveSerialTrace() {
    const QString caption = QString::fromStdString(m_context.appName);
    if (m_trace == nullptr || m_trace->empty()) {
        Messages().Show(this, QMessageBox::Information, caption,
                        tr("There is no serial trace yet: it is kept from the next Read, Write or "
                           "password exchange on."),
                        QMessageBox::Ok);
        return;
    }
    const QString path = QFileDialog::getSaveFileName(this, tr("Save Serial Trace"),
                                                      "serial-trace.txt", tr("Text files (*.txt)"));
    if (path.isEmpty()) {
        return;
    }
    const std::filesystem::path target(QFile::encodeName(path).toStdString());
    if (Status written = WriteFileAtomically(target, m_trace->Text(m_context.language)); !written) {
        Messages().Show(this, QMessageBox::Warning, caption,
                        QString::fromStdString(written.message()), QMessageBox::Ok);
        return;
    }
    statusBar()->showMessage(
        tr("Serial trace saved to %1. It holds the radio's passwords.").arg(path));
}

}  // namespace radioprog::gui
