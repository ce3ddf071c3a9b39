#pragma once

#include <QDialog>

#include "core/doc/app_context.h"

class QComboBox;
class QLineEdit;

namespace radioprog::gui {

/// Login: the role (User or Admin) and a password of up to six digits. OK sets the access role
/// to the chosen entry and packs the typed password as the login password; with no entry
/// chosen neither changes.
class CLoginDlg : public QDialog {
    Q_OBJECT
public:
    CLoginDlg(AppContext& context, QWidget* parent = nullptr);

    /// Cleared for the re-login during a transfer: only the password can change then.
    void SetRoleListEnabled(bool enabled) { m_roleListEnabled = enabled; }
    /// The next showing selects no role: the stored role was neither User nor Admin.
    void SelectNoRole() { m_selectRole = false; }

    int exec() override;
    void accept() override;

    QComboBox* roleList() const { return m_roles; }
    QLineEdit* passwordEdit() const { return m_password; }

private:
    AppContext& m_context;
    QComboBox* m_roles;
    QLineEdit* m_password;
    bool m_roleListEnabled = true;
    bool m_selectRole = true;
};

}  // namespace radioprog::gui
