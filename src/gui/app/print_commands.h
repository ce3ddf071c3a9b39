#pragma once

#include <QObject>
#include <memory>

#include "core/doc/app_context.h"

class QPrinter;

namespace radioprog::gui {

class CMainFrame;

/// The main window's printing commands: Print, Print Preview, Export PDF and Print Setup. The
/// report comes from the active channel view; every command of the run shares one printer.
class CPrintCommands : public QObject {
    Q_OBJECT
public:
    CPrintCommands(const AppContext& context, CMainFrame& frame);
    ~CPrintCommands() override;

    /// The printer every print, preview and page set-up of the run shares, made at its first
    /// use: asking the print system for its printers can take a while.
    QPrinter* printer();

    /// Prints the active document's report on @p printer, the pages of its page range, counting
    /// to @p maxPage; says so when the printer refuses.
    bool PrintActiveReport(QPrinter& printer, int maxPage);
    /// Writes the active document's report to @p path as a PDF document on the printer's pages;
    /// says why when it cannot.
    bool ExportPdf(const QString& path);

    void OnPrint();
    void OnPrintPreview();
    /// Print Setup needs no document.
    void OnPrintSetup();
    void OnExportPdf();

private:
    const AppContext& m_context;
    CMainFrame& m_frame;
    std::unique_ptr<QPrinter> m_printer;
};

}  // namespace radioprog::gui
