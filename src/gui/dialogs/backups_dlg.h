#pragma once

#include <QDialog>
#include <vector>

#include "core/doc/app_context.h"
#include "core/doc/backup_store.h"

class QPushButton;
class QTreeWidget;

namespace radioprog::gui {

/// File > Backups: the memories kept after every read and before every write, newest first
/// (time, kind, port, filled channels). Open opens the chosen one as a new document; Open Folder
/// shows the folder in the desktop's file manager.
class CBackupsDlg : public QDialog {
    Q_OBJECT
public:
    CBackupsDlg(const AppContext& context, QWidget* parent = nullptr);

    QTreeWidget* list() const { return m_list; }
    QPushButton* openButton() const { return m_open; }
    QPushButton* openFolderButton() const { return m_openFolder; }
    /// The backup chosen with Open; empty otherwise.
    const std::filesystem::path& chosen() const { return m_chosen; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnOpen();
    void OnOpenFolder();

    const AppContext& m_context;
    std::vector<BackupEntry> m_entries;
    QTreeWidget* m_list;
    QPushButton* m_open;
    QPushButton* m_openFolder;
    std::filesystem::path m_chosen;
};

/// What a backup's kind is called in the list.
QString BackupKindText(BackupKind kind);

}  // namespace radioprog::gui
