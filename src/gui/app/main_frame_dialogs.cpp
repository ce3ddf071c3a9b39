// The main window's commands that open dialogs.
#include <QAction>
#include <QMenu>

#include "gui/app/main_frame.h"
#include "gui/dialogs/optional_features_dlg.h"
#include "gui/link/password_dlg.h"
#include "gui/radio/product_info_dlg.h"
#include "gui/view/program_view.h"

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

    m_optionalFeatures = new COptionalFeaturesDlg(m_context, this);
    m_optionalFeatures->setObjectName("optionalFeaturesDialog");
    auto* optionalFeatures = new QAction(tr("&Optional Features"), this);
    optionalFeatures->setObjectName("optionalFeatures");
    optionalFeatures->setStatusTip(tr("Set the radio's general options"));
    connect(optionalFeatures, &QAction::triggered, this, &CMainFrame::OnOptionalFeatures);
    edit->addAction(optionalFeatures);

    // Scan Info belongs to the channel window's view, which keeps the dialog.
    auto* scanInfo = new QAction(tr("Scan Info"), this);
    scanInfo->setObjectName("scanInfo");
    scanInfo->setStatusTip(tr("Set the radio's scan settings"));
    connect(scanInfo, &QAction::triggered, this, [this] {
        if (CProgramView* view = activeView()) {
            view->OnScanInfo();
        }
    });
    edit->addAction(scanInfo);

    auto* password = new QAction(tr("Password"), this);
    password->setObjectName("password");
    password->setStatusTip(tr("Query or change the radio's User password"));
    connect(password, &QAction::triggered, this, &CMainFrame::OnPassword);
    menu("menuProgram")->addAction(password);

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

void CMainFrame::UpdateDialogCommands(bool document, bool idle) {
    action("optionalFeatures")->setEnabled(document && idle);
    action("scanInfo")->setEnabled(document && idle);
    action("password")->setEnabled(document && idle && m_context.link.role == AccessRole::Admin);
}

// The dialogs change the image in place; a change means the document differs from its file.
void CMainFrame::OnOptionalFeatures() {
    CProgramView* view = activeView();
    if (!view || TransferRunning()) {
        return;
    }
    RadioImage& image = view->document().image();
    const RadioImage before = image;
    m_optionalFeatures->Run(image);
    if (image != before) {
        view->SetModified();
    }
}

// Only an Admin sets the User password; the command is not offered to a User either.
void CMainFrame::OnPassword() {
    CProgramView* view = activeView();
    if (!view || TransferRunning() || m_context.link.role == AccessRole::User) {
        return;
    }
    RadioImage& image = view->document().image();
    const RadioImage before = image;
    CPasswordDlg dialog(m_context, m_opener, image, this);
    dialog.exec();
    if (image != before) {
        view->SetModified();
    }
}

}  // namespace radioprog::gui
