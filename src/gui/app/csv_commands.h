#pragma once

#include <QObject>

#include "core/doc/app_context.h"

namespace radioprog::gui {

class CMainFrame;

/// File > Import CSV and Export CSV on the active channel window's document: channel files in
/// the open radio programmer's form. Import shows every row's fate in a preview first and is
/// one edit of the document.
class CCsvCommands : public QObject {
    Q_OBJECT
public:
    CCsvCommands(const AppContext& context, CMainFrame& frame);

    /// Asks for a channel file, then ImportFile.
    void OnImportCsv();
    /// Asks for the file to write, then ExportFile.
    void OnExportCsv();

    /// Plans the import of @p path into the active document and shows the preview; Import
    /// stores it as one edit. Says why a file cannot be read. Returns whether the document
    /// changed.
    bool ImportFile(const QString& path);
    /// Writes the active document's channels, as the grid shows them, to @p path; says why it
    /// cannot.
    bool ExportFile(const QString& path);

private:
    void Warn(const QString& text);

    const AppContext& m_context;
    CMainFrame& m_frame;
};

}  // namespace radioprog::gui
