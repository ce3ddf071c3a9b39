#include "gui/dialogs/transfer_options_dlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/context_help.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"

namespace radioprog::gui {
namespace {

constexpr int kBackupId = 1001;
constexpr int kVerifyId = 1002;
constexpr int kShowChangesId = 1003;
// The help topic of the command that opens the dialog.
constexpr int kHelpContext = 32803;

}  // namespace

CTransferOptionsDlg::CTransferOptionsDlg(AppContext& context, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_backup(new QCheckBox(tr("Back up the radio before writing"), this)),
      m_verify(new QCheckBox(tr("Verify after writing"), this)),
      m_showChanges(new QCheckBox(tr("Show the changes before writing"), this)) {
    setWindowTitle(tr("Transfer Options"));
    const TransferOptions options = LoadTransferOptions(context.userStore);
    m_backup->setChecked(options.backupBeforeWrite);
    m_verify->setChecked(options.verifyAfterWrite);
    m_showChanges->setChecked(options.showChangesBeforeWrite);
    SetControlId(m_backup, kBackupId);
    SetControlId(m_verify, kVerifyId);
    SetControlId(m_showChanges, kShowChangesId);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    SetControlId(ok, 1);
    SetControlId(cancel, 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    for (QCheckBox* box : {m_backup, m_verify, m_showChanges}) {
        layout->addWidget(box);
    }
    layout->addWidget(buttons);
}

void CTransferOptionsDlg::accept() {
    TransferOptions options;
    options.backupBeforeWrite = m_backup->isChecked();
    options.verifyAfterWrite = m_verify->isChecked();
    options.showChangesBeforeWrite = m_showChanges->isChecked();
    m_saved = StoreTransferOptions(m_context.userStore, options);
    if (!m_saved) {
        Messages().Show(this, QMessageBox::Warning, Q(m_context.appName), Q(m_saved.message()),
                        QMessageBox::Ok);
    }
    QDialog::accept();
}

void CTransferOptionsDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        const int focused = ControlId(focusWidget());
        RequestContextHelp(m_context, focused != 0 ? focused : kHelpContext, this);
    }
    QDialog::keyPressEvent(event);
}

}  // namespace radioprog::gui
