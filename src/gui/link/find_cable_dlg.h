#pragma once

#include <QDialog>
#include <chrono>
#include <optional>

#include "core/doc/app_context.h"
#include "core/ports/cable_watch.h"

class QLabel;
class QTimer;

namespace radioprog::gui {

/// Find my cable: asks the user to unplug the radio's cable and plug it back in, and ends with
/// the port that appeared.
class CFindCableDlg : public QDialog {
    Q_OBJECT
public:
    /// How often the machine's ports are looked at.
    static constexpr std::chrono::milliseconds kLookEvery{250};

    /// @param slot the slot the cable will be bound to, named in the request.
    CFindCableDlg(const AppContext& context, int slot, QWidget* parent = nullptr);

    /// Takes the ports there now and watches until the cable comes back or the user cancels.
    int exec() override;
    /// The cable, once found.
    const std::optional<DiscoveredPort>& found() const { return m_found; }
    QLabel* stageLabel() const { return m_stage; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Look();

    const AppContext& m_context;
    QLabel* m_stage;
    QTimer* m_timer;
    std::optional<CableWatch> m_watch;
    std::optional<DiscoveredPort> m_found;
};

}  // namespace radioprog::gui
