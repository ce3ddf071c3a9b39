#include "gui/link/login_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "gui/app/ok_cancel.h"

namespace radioprog::gui {
namespace {
constexpr int kMaxPasswordDigits = 6;
constexpr BilingualText kRoleNames[] = {{"User", "用户"}, {"Admin", "管理员"}};
}  // namespace

CLoginDlg::CLoginDlg(AppContext& context, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_roles(new QComboBox(this)),
      m_password(new QLineEdit(this)) {
    setWindowTitle(tr("Login"));
    m_roles->setObjectName("roleList");
    m_password->setObjectName("password");
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(kMaxPasswordDigits);
    m_password->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]{0,6}"), m_password));

    auto* form = new QFormLayout;
    form->addRow(tr("Type"), m_roles);
    form->addRow(tr("Password"), m_password);
    QDialogButtonBox* buttons = MakeOkCancel(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

int CLoginDlg::exec() {
    m_roles->clear();
    for (const BilingualText& name : kRoleNames) {
        m_roles->addItem(QString::fromUtf8(name.In(m_context.language).data(),
                                           static_cast<int>(name.In(m_context.language).size())));
    }
    m_roles->setCurrentIndex(m_selectRole ? StoredRoleValue(m_context.link.role) : -1);
    m_roles->setEnabled(m_roleListEnabled);
    m_password->clear();
    m_password->setFocus();
    return QDialog::exec();
}

void CLoginDlg::accept() {
    if (m_roles->currentIndex() >= 0) {
        if (const auto packed = PackPassword(m_password->text().toStdString())) {
            m_context.link.role = RoleFromStoredValue(m_roles->currentIndex());
            m_context.link.loginPassword = *packed;
        }
    }
    QDialog::accept();
}

}  // namespace radioprog::gui
