#include "gui/dialogs/backups_dlg.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/app/context_help.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"

namespace radioprog::gui {
namespace {

constexpr int kListId = 1001;
constexpr int kOpenId = 1002;
constexpr int kOpenFolderId = 1003;
// The help topic of the command that opens the dialog.
constexpr int kHelpContext = 32804;

}  // namespace

QString BackupKindText(BackupKind kind) {
    return kind == BackupKind::Read ? CBackupsDlg::tr("Read") : CBackupsDlg::tr("Before write");
}

CBackupsDlg::CBackupsDlg(const AppContext& context, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_entries(BackupStore(context.backupFolder).List()),
      m_list(new QTreeWidget(this)),
      m_open(nullptr),
      m_openFolder(nullptr) {
    setWindowTitle(tr("Backups"));
    m_list->setColumnCount(4);
    m_list->setHeaderLabels({tr("Time"), tr("Kind"), tr("Port"), tr("Channels")});
    m_list->setRootIsDecorated(false);
    for (const BackupEntry& entry : m_entries) {
        new QTreeWidgetItem(m_list, {Q(entry.timeText), BackupKindText(entry.kind), Q(entry.port),
                                     entry.filledChannels ? QString::number(*entry.filledChannels)
                                                          : QStringLiteral("?")});
    }
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (m_list->topLevelItemCount() > 0) {
        m_list->setCurrentItem(m_list->topLevelItem(0));
    }
    SetControlId(m_list, kListId);

    auto* buttons = new QDialogButtonBox(this);
    m_open = buttons->addButton(tr("Open"), QDialogButtonBox::ActionRole);
    m_open->setEnabled(!m_entries.empty());
    m_open->setDefault(true);
    m_openFolder = buttons->addButton(tr("Open Folder"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    SetControlId(m_open, kOpenId);
    SetControlId(m_openFolder, kOpenFolderId);
    SetControlId(close, 2);
    connect(m_open, &QPushButton::clicked, this, &CBackupsDlg::OnOpen);
    connect(m_openFolder, &QPushButton::clicked, this, &CBackupsDlg::OnOpenFolder);
    connect(m_list, &QTreeWidget::itemActivated, this, &CBackupsDlg::OnOpen);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(560, 380);
}

void CBackupsDlg::OnOpen() {
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0 || static_cast<std::size_t>(row) >= m_entries.size()) {
        return;
    }
    m_chosen = m_entries[static_cast<std::size_t>(row)].file;
    accept();
}

void CBackupsDlg::OnOpenFolder() {
    const QString folder = QString::fromStdString(m_context.backupFolder.string());
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder))) {
        Messages().Show(this, QMessageBox::Warning, Q(m_context.appName),
                        tr("The folder %1 could not be shown.").arg(folder), QMessageBox::Ok);
    }
}

void CBackupsDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        const int focused = ControlId(focusWidget());
        RequestContextHelp(m_context, focused != 0 ? focused : kHelpContext, this);
    }
    QDialog::keyPressEvent(event);
}

}  // namespace radioprog::gui
