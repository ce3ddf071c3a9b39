#include "gui/link/com_setup_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/doc/com_setup.h"
#include "gui/app/context_help.h"
#include "gui/app/ok_cancel.h"

namespace radioprog::gui {
namespace {
constexpr int kFirstPortId = 1007;
// The help topic of the command that opens the dialog.
constexpr int kHelpContext = 32777;
}  // namespace

CComSetupDlg::CComSetupDlg(AppContext& context, PortOpener& opener, QWidget* parent)
    : QDialog(parent), m_context(context), m_opener(opener), m_ports(new QButtonGroup(this)) {
    setWindowTitle(tr("COM Setup"));
    auto* group = new QGroupBox(tr("COM"), this);
    auto* column = new QVBoxLayout(group);
    for (int index = 0; index < kComSetupButtons; ++index) {
        auto* button = new QRadioButton(QString("COM%1").arg(kFirstComSlot + index), group);
        SetControlId(button, kFirstPortId + index);
        m_ports->addButton(button, kFirstPortId + index);
        column->addWidget(button);
    }
    QDialogButtonBox* buttons = MakeOkCancel(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

QRadioButton* CComSetupDlg::portButton(int index) const {
    return qobject_cast<QRadioButton*>(m_ports->button(kFirstPortId + index));
}

// An exclusive group never lets its last checked button go, so it is opened up to clear it.
void CComSetupDlg::Check(int index) {
    m_ports->setExclusive(false);
    for (QAbstractButton* button : m_ports->buttons()) {
        button->setChecked(m_ports->id(button) == kFirstPortId + index);
    }
    m_ports->setExclusive(true);
}

int CComSetupDlg::exec() {
    const ComSetupView view = OpenComSetup(m_context, m_opener);
    for (int index = 0; index < kComSetupButtons; ++index) {
        portButton(index)->setEnabled(view.openable[static_cast<std::size_t>(index)]);
    }
    Check(view.selectedIndex);
    return QDialog::exec();
}

void CComSetupDlg::accept() {
    const int checked = m_ports->checkedId();
    m_saved = ApplyComSetup(checked < 0 ? -1 : checked - kFirstPortId, m_context);
    QDialog::accept();
}

void CComSetupDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        RequestContextHelp(m_context, kHelpContext, this);
    }
    QDialog::keyPressEvent(event);
}

}  // namespace radioprog::gui
