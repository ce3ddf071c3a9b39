#include "gui/app/child_frame.h"

#include <QCloseEvent>

#include "gui/view/program_view.h"

namespace radioprog::gui {

CChildFrame::CChildFrame(CProgramView* view, QWidget* parent)
    : QMdiSubWindow(parent), m_view(view) {
    setWidget(view);
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
    emit Hidden();
}

}  // namespace radioprog::gui
