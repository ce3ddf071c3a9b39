#include "gui/link/find_cable_dlg.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/app/context_help.h"
#include "gui/app/qt_text.h"

namespace radioprog::gui {
namespace {
// Help on Find my cable is the topic of its button in COM Setup.
constexpr int kHelpContext = 1012;
constexpr int kMinimumWidth = 420;
}  // namespace

CFindCableDlg::CFindCableDlg(const AppContext& context, int slot, QWidget* parent)
    : QDialog(parent), m_context(context), m_stage(new QLabel(this)), m_timer(new QTimer(this)) {
    setWindowTitle(tr("Find My Cable"));
    setMinimumWidth(kMinimumWidth);
    auto* request = new QLabel(tr("Unplug the radio's programming cable from the computer, then "
                                  "plug it back in. The port that appears will be COM%1.")
                                   .arg(slot),
                               this);
    request->setWordWrap(true);
    m_stage->setObjectName("stage");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    SetControlId(buttons->button(QDialogButtonBox::Cancel), 2);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(request);
    layout->addWidget(m_stage);
    layout->addWidget(buttons);
    m_timer->setInterval(kLookEvery);
    connect(m_timer, &QTimer::timeout, this, &CFindCableDlg::Look);
}

int CFindCableDlg::exec() {
    m_found.reset();
    m_watch.emplace(DiscoverPorts(m_context.system));
    m_stage->setText(tr("Waiting for the cable to be unplugged..."));
    m_timer->start();
    const int result = QDialog::exec();
    m_timer->stop();
    return result;
}

void CFindCableDlg::Look() {
    m_found = m_watch->Look(DiscoverPorts(m_context.system), CableWatch::Clock::now());
    if (m_found) {
        m_timer->stop();
        m_stage->setText(tr("Found: %1").arg(Q(PortLine(*m_found, m_context.language))));
        accept();
    } else if (m_watch->stage() == CableWatch::Stage::Plug) {
        m_stage->setText(tr("Now plug the cable back in..."));
    }
}

void CFindCableDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        RequestContextHelp(m_context, kHelpContext, this);
    }
    QDialog::keyPressEvent(event);
}

}  // namespace radioprog::gui
