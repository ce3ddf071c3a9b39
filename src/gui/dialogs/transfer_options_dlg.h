#pragma once

#include <QDialog>

#include "core/doc/app_context.h"
#include "core/doc/transfer_options.h"

class QCheckBox;

namespace radioprog::gui {

/// Setup > Transfer Options: whether a write backs the radio up first, verifies afterwards and
/// shows the changes before it writes. OK keeps them in the per-user store.
class CTransferOptionsDlg : public QDialog {
    Q_OBJECT
public:
    CTransferOptionsDlg(AppContext& context, QWidget* parent = nullptr);

    QCheckBox* backupBox() const { return m_backup; }
    QCheckBox* verifyBox() const { return m_verify; }
    QCheckBox* showChangesBox() const { return m_showChanges; }
    /// Whether the last OK could store the options; says why not.
    const Status& saved() const { return m_saved; }

public slots:
    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    AppContext& m_context;
    QCheckBox* m_backup;
    QCheckBox* m_verify;
    QCheckBox* m_showChanges;
    Status m_saved = Status::Ok();
};

}  // namespace radioprog::gui
