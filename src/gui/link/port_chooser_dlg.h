#pragma once

#include <QDialog>

#include "core/doc/app_context.h"
#include "core/link/port_opener.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace radioprog::gui {

/// Change... of COM Setup: the device a slot stands for, picked from the machine's serial ports
/// (each with what it is, the slots that lead to it and why it cannot be opened, if so) or typed.
class CPortChooserDlg : public QDialog {
    Q_OBJECT
public:
    /// @param opener tells which device each slot leads to now; must outlive the dialog.
    CPortChooserDlg(const AppContext& context, const PortOpener& opener, int slot,
                    QWidget* parent = nullptr);

    /// The device chosen or typed: a port's by-id link when it has one.
    QString device() const;

    QListWidget* portList() const { return m_ports; }
    QLineEdit* deviceEdit() const { return m_device; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FillList(int slot);

    const AppContext& m_context;
    const PortOpener& m_opener;
    QListWidget* m_ports;
    QLineEdit* m_device;
    QPushButton* m_ok = nullptr;
};

}  // namespace radioprog::gui
