// The main window's commands that open dialogs.
#include <QAction>

#include "gui/app/frame_actions.h"
#include "gui/app/main_frame.h"
#include "gui/dialogs/optional_features_dlg.h"
#include "gui/link/password_dlg.h"
#include "gui/radio/product_info_dlg.h"
#include "gui/view/program_view.h"

namespace radioprog::gui {

void CMainFrame::AddDialogs() {
    m_productInfo = new CProductInfoDlg(m_context, this);
    m_productInfo->setObjectName("productInfoDialog");
    connect(m_productInfo, &CProductInfoDlg::TitleChanged, this, &QWidget::setWindowTitle);
    connect(m_actions->productInformation, &QAction::triggered, this,
            &CMainFrame::OnProductInformation);

    m_optionalFeatures = new COptionalFeaturesDlg(m_context, this);
    m_optionalFeatures->setObjectName("optionalFeaturesDialog");
    connect(m_actions->optionalFeatures, &QAction::triggered, this,
            &CMainFrame::OnOptionalFeatures);
    connect(m_actions->password, &QAction::triggered, this, &CMainFrame::OnPassword);
}

void CMainFrame::OnOptionalFeatures() {
    CProgramView* view = activeView();
    if (!view || TransferRunning()) {
        return;
    }
    view->document().Edit(DocumentEdit::Of(DocumentEdit::Kind::OptionalFeatures),
                          [this](RadioImage& image, TextGrid&) { m_optionalFeatures->Run(image); });
}

// The band in use is the program's, but it reaches the document's image at the next store, so
// a change of it is a step of the document shown.
void CMainFrame::OnProductInformation() {
    CProgramView* view = activeView();
    if (!view || TransferRunning()) {
        m_productInfo->exec();
        return;
    }
    if (!view->CommitEdit()) {
        return;
    }
    view->document().Edit(DocumentEdit::Of(DocumentEdit::Kind::ProductInformation), m_context.band,
                          [this](RadioImage&, TextGrid&) { m_productInfo->exec(); });
}

// Only an Admin sets the User password; the command is not offered to a User either.
void CMainFrame::OnPassword() {
    CProgramView* view = activeView();
    if (!view || TransferRunning() || m_context.link.role != AccessRole::Admin) {
        return;
    }
    CPasswordDlg dialog(m_context, m_opener, view->document(), this);
    dialog.exec();
}

}  // namespace radioprog::gui
