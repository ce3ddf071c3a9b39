// The main window's commands that open dialogs.
#include <QAction>
#include <QMenu>

#include "app/main_frame.h"
#include "radio/product_info_dlg.h"
#include "view/program_view.h"

namespace radioprog::gui {

void CMainFrame::AddDialogCommands() {
    m_productInfo = new CProductInfoDlg(m_context, this);
    m_productInfo->setObjectName("productInfoDialog");
    connect(m_productInfo, &CProductInfoDlg::TitleChanged, this, &QWidget::setWindowTitle);

    auto* productInfo = new QAction(tr("&Product Information"), this);
    productInfo->setObjectName("productInformation");
    productInfo->setStatusTip(tr("Choose the product type and the band"));
    connect(productInfo, &QAction::triggered, m_productInfo, &QDialog::exec);
    QMenu* edit = menu("menuEdit");
    edit->insertAction(edit->actions().value(0), productInfo);

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
