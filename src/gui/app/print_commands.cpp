// The main window's printing commands. The report itself comes from the active channel view.
#include "gui/app/print_commands.h"

#include <QDir>
#include <QFile>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>

#include "core/base/atomic_file.h"
#include "gui/app/export_names.h"
#include "gui/app/main_frame.h"
#include "gui/app/message_service.h"
#include "gui/view/program_view.h"

namespace radioprog::gui {

CPrintCommands::CPrintCommands(const AppContext& context, CMainFrame& frame)
    : QObject(&frame), m_context(context), m_frame(frame) {
    setObjectName("printCommands");
}

CPrintCommands::~CPrintCommands() = default;

QPrinter* CPrintCommands::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return m_printer.get();
}

bool CPrintCommands::PrintActiveReport(QPrinter& printer, int maxPage) {
    CProgramView* view = m_frame.activeView();
    if (!view) {
        return false;
    }
    const bool range = printer.printRange() == QPrinter::PageRange;
    if (view->PrintReport(printer, maxPage, range ? printer.fromPage() : 0,
                          range ? printer.toPage() : 0)) {
        return true;
    }
    Messages().Show(&m_frame, QMessageBox::Warning, QString::fromStdString(m_context.appName),
                    CMainFrame::tr("The report could not be printed."), QMessageBox::Ok);
    return false;
}

void CPrintCommands::OnPrint() {
    CProgramView* view = m_frame.activeView();
    if (!view) {
        return;
    }
    const int maxPage = view->PreparePrinting();
    QPrintDialog dialog(printer(), &m_frame);
    dialog.setObjectName("printDialog");
    dialog.setMinMax(1, maxPage);
    if (dialog.exec() == QDialog::Accepted) {
        PrintActiveReport(*printer(), maxPage);
    }
}

void CPrintCommands::OnPrintPreview() {
    CProgramView* view = m_frame.activeView();
    if (!view) {
        return;
    }
    const int maxPage = view->PreparePrinting();
    // The preview shows the whole report, whatever range the last print asked for.
    printer()->setPrintRange(QPrinter::AllPages);
    QPrintPreviewDialog preview(printer(), &m_frame);
    preview.setObjectName("printPreviewDialog");
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, maxPage](QPrinter* printer) { PrintActiveReport(*printer, maxPage); });
    preview.exec();
}

void CPrintCommands::OnPrintSetup() {
    QPageSetupDialog dialog(printer(), &m_frame);
    dialog.setObjectName("printSetupDialog");
    dialog.exec();
}

void CPrintCommands::OnExportPdf() {
    CProgramView* view = m_frame.activeView();
    if (!view) {
        return;
    }
    const QString path = AskExportName(&m_frame, CMainFrame::tr("Export PDF"),
                                       QString::fromStdString(view->document().pathName().string()),
                                       "pdf", CMainFrame::tr("PDF files (*.pdf)"));
    if (!path.isEmpty()) {
        ExportPdf(path);
    }
}

bool CPrintCommands::ExportPdf(const QString& path) {
    CProgramView* view = m_frame.activeView();
    if (!view) {
        return false;
    }
    const QString caption = QString::fromStdString(m_context.appName);
    QByteArray pdf;
    if (!view->ReportPdf(printer()->pageLayout(), pdf)) {
        Messages().Show(&m_frame, QMessageBox::Warning, caption,
                        CMainFrame::tr("The report could not be drawn."), QMessageBox::Ok);
        return false;
    }
    const std::filesystem::path target(QFile::encodeName(path).toStdString());
    if (Status written = WriteFileAtomically(
            target, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
        !written) {
        Messages().Show(&m_frame, QMessageBox::Warning, caption,
                        QString::fromStdString(written.message()), QMessageBox::Ok);
        return false;
    }
    m_frame.statusBar()->showMessage(
        CMainFrame::tr("The report was written to %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

}  // namespace radioprog::gui
