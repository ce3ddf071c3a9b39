#pragma once

#include <QDialog>

#include "core/base/status.h"
#include "core/doc/app_context.h"
#include "core/link/port_opener.h"

class QButtonGroup;
class QRadioButton;

namespace radioprog::gui {

/// COM Setup: the ports COM1 to COM4 as radio buttons 1007 to 1010, those that cannot be
/// opened now disabled, the saved port checked when it opens. OK makes the checked port the
/// current port name and saves it for the next view.
class CComSetupDlg : public QDialog {
    Q_OBJECT
public:
    /// @param opener answers which ports can be opened; must outlive the dialog.
    CComSetupDlg(AppContext& context, PortOpener& opener, QWidget* parent = nullptr);

    /// Probes the ports and shows the saved one, then runs the dialog.
    int exec() override;
    void accept() override;

    /// COM1 (0) to COM4 (3).
    QRadioButton* portButton(int index) const;
    /// Whether the last OK could save the port.
    const Status& saved() const { return m_saved; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Check(int index);

    AppContext& m_context;
    PortOpener& m_opener;
    QButtonGroup* m_ports;
    Status m_saved = Status::Ok();
};

}  // namespace radioprog::gui
