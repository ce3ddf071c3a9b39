// The main window's commands that open dialogs.
#include <QAction>
#include <QMenu>

#include "app/main_frame.h"
#include "view/program_view.h"

namespace radioprog::gui {

void CMainFrame::AddDialogCommands() {
    // COM Setup belongs to the channel window's view, which keeps the dialog.
    auto* comSetup = new QAction(tr("&Com Setup"), this);
    comSetup->setObjectName("comSetup");
    comSetup->setStatusTip(tr("Choose the serial port the radio is connected to"));
    connect(comSetup, &QAction::triggered, this, [this] {
        if (CProgramView* view = activeView()) {
            view->OnComSetup();
        }
    });
    QMenu* setup = menu("menuSetup");
    setup->addAction(comSetup);
    setup->menuAction()->setVisible(true);
}

}  // namespace radioprog::gui
