#include "gui/link/com_setup_dlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/doc/com_slots.h"
#include "gui/app/context_help.h"
#include "gui/app/message_service.h"
#include "gui/app/ok_cancel.h"
#include "gui/app/qt_text.h"
#include "gui/link/find_cable_dlg.h"
#include "gui/link/port_chooser_dlg.h"

namespace radioprog::gui {
namespace {
constexpr int kFirstPortId = 1007;
constexpr int kChangeId = 1011;
constexpr int kFindCableId = 1012;
// The help topic of the command that opens the dialog.
constexpr int kHelpContext = 32777;
constexpr int kMinimumWidth = 460;
}  // namespace

CComSetupDlg::CComSetupDlg(AppContext& context, PortOpener& opener, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_opener(opener),
      m_ports(new QButtonGroup(this)),
      m_change(new QPushButton(tr("Change..."), this)),
      m_find(new QPushButton(tr("Find my cable"), this)) {
    setWindowTitle(tr("COM Setup"));
    setMinimumWidth(kMinimumWidth);
    auto* group = new QGroupBox(tr("COM"), this);
    auto* grid = new QGridLayout(group);
    grid->setColumnStretch(1, 1);
    for (int index = 0; index < kComSetupButtons; ++index) {
        auto* button = new QRadioButton(QString("COM%1").arg(kFirstComSlot + index), group);
        SetControlId(button, kFirstPortId + index);
        m_ports->addButton(button, kFirstPortId + index);
        auto* device = new QLabel(group);
        device->setObjectName(QString("device%1").arg(kFirstComSlot + index));
        device->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto* reason = new QLabel(group);
        reason->setObjectName(QString("reason%1").arg(kFirstComSlot + index));
        reason->setWordWrap(true);
        // Greyed as its button is.
        reason->setEnabled(false);
        m_devices[static_cast<std::size_t>(index)] = device;
        m_reasons[static_cast<std::size_t>(index)] = reason;
        grid->addWidget(button, 2 * index, 0);
        grid->addWidget(device, 2 * index, 1);
        grid->addWidget(reason, 2 * index + 1, 1);
    }
    // Room the word-wrapped reasons leave goes below the ports, not between a device and its
    // reason.
    grid->setRowStretch(2 * kComSetupButtons, 1);
    SetControlId(m_change, kChangeId);
    SetControlId(m_find, kFindCableId);
    connect(m_change, &QPushButton::clicked, this, &CComSetupDlg::OnChange);
    connect(m_find, &QPushButton::clicked, this, &CComSetupDlg::OnFindCable);
    QDialogButtonBox* buttons = MakeOkCancel(this);
    auto* row = new QHBoxLayout;
    row->addWidget(m_change);
    row->addWidget(m_find);
    row->addStretch();
    row->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(row);
}

QRadioButton* CComSetupDlg::portButton(int index) const {
    return qobject_cast<QRadioButton*>(m_ports->button(kFirstPortId + index));
}

int CComSetupDlg::CheckedIndex() const {
    const int checked = m_ports->checkedId();
    return checked < 0 ? -1 : checked - kFirstPortId;
}

// An exclusive group never lets its last checked button go, so it is opened up to clear it.
void CComSetupDlg::Check(int index) {
    m_ports->setExclusive(false);
    for (QAbstractButton* button : m_ports->buttons()) {
        button->setChecked(m_ports->id(button) == kFirstPortId + index);
    }
    m_ports->setExclusive(true);
}

void CComSetupDlg::Refresh(std::optional<int> index) {
    const ComSetupView view = OpenComSetup(m_context, m_opener);
    const auto lines = DescribeComSlots(m_context, m_opener, view);
    for (int i = 0; i < kComSetupButtons; ++i) {
        const auto at = static_cast<std::size_t>(i);
        portButton(i)->setEnabled(view.openable[at]);
        m_devices[at]->setEnabled(view.openable[at]);
        m_devices[at]->setText(Q(lines[at].device));
        m_reasons[at]->setText(Q(lines[at].reason));
        m_reasons[at]->setVisible(!lines[at].reason.empty());
    }
    const bool opens = index && *index >= 0 && *index < kComSetupButtons &&
                       view.openable[static_cast<std::size_t>(*index)];
    Check(opens ? *index : view.selectedIndex);
}

int CComSetupDlg::exec() {
    m_edit.emplace(m_context.userStore);
    Refresh();
    return QDialog::exec();
}

void CComSetupDlg::accept() {
    m_edit.reset();
    m_saved = ApplyComSetup(CheckedIndex(), m_context);
    QDialog::accept();
}

void CComSetupDlg::reject() {
    if (m_edit) {
        if (Status reverted = m_edit->Revert(); !reverted) {
            Messages().Show(this, QMessageBox::Warning, Q(m_context.appName), Q(reverted.message()),
                            QMessageBox::Ok);
        }
        m_edit.reset();
    }
    QDialog::reject();
}

void CComSetupDlg::Bind(int slot, const std::string& device) {
    if (Status bound = BindPort(m_context.userStore, slot, device, m_context.system); !bound) {
        Messages().Show(this, QMessageBox::Warning, Q(m_context.appName), Q(bound.message()),
                        QMessageBox::Ok);
    }
    Refresh(slot - kFirstComSlot);
}

void CComSetupDlg::OnChange() {
    const int slot = SlotToBind(CheckedIndex());
    CPortChooserDlg chooser(m_context, m_opener, slot, this);
    chooser.setObjectName("portChooserDialog");
    if (chooser.exec() == QDialog::Accepted) {
        Bind(slot, chooser.device().toStdString());
    }
}

void CComSetupDlg::OnFindCable() {
    const int slot = SlotToBind(CheckedIndex());
    CFindCableDlg find(m_context, slot, this);
    find.setObjectName("findCableDialog");
    if (find.exec() == QDialog::Accepted && find.found()) {
        Bind(slot, find.found()->device.string());
    }
}

void CComSetupDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        // The dialog's help is the page of its command; its own buttons have topics there.
        const int focused = ControlId(focusWidget());
        RequestContextHelp(m_context,
                           focused == kChangeId || focused == kFindCableId ? focused : kHelpContext,
                           this);
    }
    QDialog::keyPressEvent(event);
}

}  // namespace radioprog::gui
