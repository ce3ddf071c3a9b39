#pragma once

#include <QObject>

#include "core/doc/app_context.h"

namespace radioprog::gui {

class CMainFrame;

/// File > Backups and Compare with File, and Setup > Transfer Options: what keeps a radio's
/// memory safe besides the transfers themselves.
class CSafetyCommands : public QObject {
    Q_OBJECT
public:
    CSafetyCommands(AppContext& context, CMainFrame& frame);

    void OnTransferOptions();
    /// Lists the backups; Open opens the chosen one as OpenBackup does.
    void OnBackups();
    /// Asks for a .dat file, then CompareWithFile.
    void OnCompareWithFile();

    /// Opens @p file as a new document whose title says it is a backup and whose Save asks for
    /// a name, so that the backup itself stays as it was.
    bool OpenBackup(const std::filesystem::path& file);
    /// Shows what differs between the active document (as the grid stands) and @p path; says
    /// why a file cannot be read.
    bool CompareWithFile(const QString& path);

private:
    AppContext& m_context;
    CMainFrame& m_frame;
};

}  // namespace radioprog::gui
