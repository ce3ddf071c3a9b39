#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "core/base/status.h"
#include "core/doc/app_context.h"
#include "core/doc/com_setup.h"
#include "core/doc/port_map.h"
#include "core/link/port_opener.h"

class QButtonGroup;
class QLabel;
class QPushButton;
class QRadioButton;

namespace radioprog::gui {

/// COM Setup: the ports COM1 to COM4 as radio buttons 1007 to 1010, those that cannot be
/// opened now disabled, the saved port checked when it opens. Beside each button the device it
/// stands for and what it is, and for a greyed one why. Change... binds the checked slot (else
/// COM1) to a port of the machine or a typed path; Find my cable binds the port that appears
/// when the cable is plugged back in. OK makes the checked port the current port name and saves
/// it for the next view; Cancel also puts back the bindings the dialog changed.
class CComSetupDlg : public QDialog {
    Q_OBJECT
public:
    /// @param opener answers which ports can be opened; must outlive the dialog.
    CComSetupDlg(AppContext& context, PortOpener& opener, QWidget* parent = nullptr);

    /// Probes the ports and shows the saved one, then runs the dialog.
    int exec() override;
    void accept() override;
    void reject() override;

    /// COM1 (0) to COM4 (3).
    QRadioButton* portButton(int index) const;
    /// The device beside a button, and why it is greyed.
    QLabel* deviceLabel(int index) const { return m_devices[static_cast<std::size_t>(index)]; }
    QLabel* reasonLabel(int index) const { return m_reasons[static_cast<std::size_t>(index)]; }
    QPushButton* changeButton() const { return m_change; }
    QPushButton* findButton() const { return m_find; }
    /// Whether the last OK could save the port.
    const Status& saved() const { return m_saved; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int CheckedIndex() const;
    void Check(int index);
    /// Probes the ports again and shows what each stands for; checks @p index when it opens,
    /// else the saved port as on opening.
    void Refresh(std::optional<int> index = std::nullopt);
    void OnChange();
    void OnFindCable();
    void Bind(int slot, const std::string& device);

    AppContext& m_context;
    PortOpener& m_opener;
    QButtonGroup* m_ports;
    std::array<QLabel*, kComSetupButtons> m_devices{};
    std::array<QLabel*, kComSetupButtons> m_reasons{};
    QPushButton* m_change;
    QPushButton* m_find;
    std::optional<PortBindingEdit> m_edit;
    Status m_saved = Status::Ok();
};

}  // namespace radioprog::gui
