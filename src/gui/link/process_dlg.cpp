#include "gui/link/process_dlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace radioprog::gui {

CProcessDlg::CProcessDlg(QWidget* parent)
    : QDialog(parent),
      m_ok(new QPushButton(tr("OK"), this)),
      m_cancel(new QPushButton(tr("Cancel"), this)),
      m_bar(new QProgressBar(this)),
      m_counter(new QLabel("0", this)),
      m_phase(new QLabel(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    m_bar->setRange(0, kBlocks);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_counter->setAlignment(Qt::AlignCenter);
    m_counter->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    m_phase->setObjectName("phase");
    m_phase->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_phase);
    layout->addWidget(m_bar);
    layout->addWidget(m_counter);
    layout->addLayout(buttons);
    resize(360, sizeHint().height());
    connect(m_ok, &QPushButton::clicked, this, [this] {
        m_ok->setEnabled(false);
        emit StartRequested();
    });
    connect(m_cancel, &QPushButton::clicked, this, &CProcessDlg::reject);
}

bool CProcessDlg::started() const {
    return !m_ok->isEnabled();
}

void CProcessDlg::Step() {
    m_bar->setValue(m_bar->value() + 1);
    m_counter->setText(QString::number(m_bar->value()));
}

void CProcessDlg::SetPhase(const QString& phase) {
    m_phase->setText(phase);
    if (m_phase->isHidden()) {
        // The dialog was sized without the phase's line.
        m_phase->show();
        layout()->activate();
        resize(width(), std::max(height(), sizeHint().height()));
    }
    m_bar->setValue(0);
    m_counter->setText("0");
}

void CProcessDlg::Finish() {
    hide();
    deleteLater();
}

void CProcessDlg::reject() {
    m_cancelRequested = true;
    // A running transfer polls the flag and closes the dialog itself when it ends.
    if (!started()) {
        Finish();
    }
}

}  // namespace radioprog::gui
