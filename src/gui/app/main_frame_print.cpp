// The main window's printing commands: Print, Print Preview, Export PDF and Print Setup. The
// report itself comes from the active channel view.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>

#include "core/base/atomic_file.h"
#include "gui/app/built_in_pictures.h"
#include "gui/app/main_frame.h"
#include "gui/app/message_service.h"
#include "gui/view/program_view.h"

namespace radioprog::gui {
namespace {

QAction* MakePrintAction(QObject* parent, const char* name, const QString& text,
                         const QString& tip) {
    auto* action = new QAction(text, parent);
    action->setObjectName(name);
    action->setStatusTip(tip);
    return action;
}

}  // namespace

void CMainFrame::AddPrintCommands() {
    QAction* print =
        MakePrintAction(this, "print", tr("&Print..."), tr("Print the active document"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    print->setToolTip(tr("Print"));
    print->setIcon(QIcon::fromTheme("document-print", BuiltInPrintIcon()));
    QAction* preview =
        MakePrintAction(this, "printPreview", tr("Print Pre&view"), tr("Display full pages"));
    QAction* exportPdf = MakePrintAction(this, "exportPdf", tr("&Export PDF..."),
                                         tr("Write the printed report to a PDF file"));
    QAction* setup = MakePrintAction(this, "printSetup", tr("P&rint Setup..."),
                                     tr("Change the printer and printing options"));
    connect(print, &QAction::triggered, this, &CMainFrame::OnPrint);
    connect(preview, &QAction::triggered, this, &CMainFrame::OnPrintPreview);
    connect(exportPdf, &QAction::triggered, this, &CMainFrame::OnExportPdf);
    connect(setup, &QAction::triggered, this, &CMainFrame::OnPrintSetup);

    // Between the document commands and Exit, in a group of their own.
    QMenu* file = menu("menuFile");
    QAction* exit = action("exit");
    file->insertActions(exit, {print, preview, exportPdf, setup});
    file->insertSeparator(exit);

    if (auto* tools = findChild<QToolBar*>("toolbar")) {
        tools->addSeparator();
        tools->addAction(print);
    }
}

QPrinter* CMainFrame::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return m_printer.get();
}

// Print Setup needs no document; the others print one.
void CMainFrame::UpdatePrintActions() {
    const bool printable = activeView() != nullptr && !TransferRunning();
    for (const char* name : {"print", "printPreview", "exportPdf"}) {
        action(name)->setEnabled(printable);
    }
}

bool CMainFrame::PrintActiveReport(QPrinter& printer, int maxPage) {
    CProgramView* view = activeView();
    if (!view) {
        return false;
    }
    const bool range = printer.printRange() == QPrinter::PageRange;
    if (view->PrintReport(printer, maxPage, range ? printer.fromPage() : 0,
                          range ? printer.toPage() : 0)) {
        return true;
    }
    Messages().Show(this, QMessageBox::Warning, QString::fromStdString(m_context.appName),
                    tr("The report could not be printed."), QMessageBox::Ok);
    return false;
}

void CMainFrame::OnPrint() {
    CProgramView* view = activeView();
    if (!view) {
        return;
    }
    const int maxPage = view->PreparePrinting();
    QPrintDialog dialog(printer(), this);
    dialog.setObjectName("printDialog");
    dialog.setMinMax(1, maxPage);
    if (dialog.exec() == QDialog::Accepted) {
        PrintActiveReport(*printer(), maxPage);
    }
}

void CMainFrame::OnPrintPreview() {
    CProgramView* view = activeView();
    if (!view) {
        return;
    }
    const int maxPage = view->PreparePrinting();
    // The preview shows the whole report, whatever range the last print asked for.
    printer()->setPrintRange(QPrinter::AllPages);
    QPrintPreviewDialog preview(printer(), this);
    preview.setObjectName("printPreviewDialog");
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this, maxPage](QPrinter* printer) { PrintActiveReport(*printer, maxPage); });
    preview.exec();
}

void CMainFrame::OnPrintSetup() {
    QPageSetupDialog dialog(printer(), this);
    dialog.setObjectName("printSetupDialog");
    dialog.exec();
}

void CMainFrame::OnExportPdf() {
    CProgramView* view = activeView();
    if (!view) {
        return;
    }
    const QFileInfo document(QString::fromStdString(view->document().pathName().string()));
    const QString suggested =
        (document.isAbsolute() ? document.dir().filePath(document.completeBaseName())
                               : document.completeBaseName()) +
        ".pdf";
    QString path =
        QFileDialog::getSaveFileName(this, tr("Export PDF"), suggested, tr("PDF files (*.pdf)"));
    if (path.isEmpty()) {
        return;
    }
    if (QFileInfo(path).suffix().isEmpty()) {
        path += ".pdf";
    }
    ExportPdf(path);
}

bool CMainFrame::ExportPdf(const QString& path) {
    CProgramView* view = activeView();
    if (!view) {
        return false;
    }
    const QString caption = QString::fromStdString(m_context.appName);
    QByteArray pdf;
    if (!view->ReportPdf(printer()->pageLayout(), pdf)) {
        Messages().Show(this, QMessageBox::Warning, caption, tr("The report could not be drawn."),
                        QMessageBox::Ok);
        return false;
    }
    const std::filesystem::path target(QFile::encodeName(path).toStdString());
    if (Status written = WriteFileAtomically(
            target, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
        !written) {
        Messages().Show(this, QMessageBox::Warning, caption,
                        QString::fromStdString(written.message()), QMessageBox::Ok);
        return false;
    }
    statusBar()->showMessage(
        tr("The report was written to %1").arg(QDir::toNativeSeparators(path)));
    return true;
}

}  // namespace radioprog::gui
