#include "gui/link/port_chooser_dlg.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/ports/port_listing.h"
#include "gui/app/context_help.h"
#include "gui/app/qt_text.h"

namespace radioprog::gui {
namespace {
constexpr int kPortListId = 1013;
constexpr int kDeviceEditId = 1014;
constexpr int kMinimumWidth = 520;

QString SlotNames(const std::vector<int>& comSlots) {
    QStringList names;
    for (const int slot : comSlots) {
        names << QString("COM%1").arg(slot);
    }
    return names.join(", ");
}
}  // namespace

CPortChooserDlg::CPortChooserDlg(const AppContext& context, const PortOpener& opener, int slot,
                                 QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_opener(opener),
      m_ports(new QListWidget(this)),
      m_device(new QLineEdit(this)) {
    setWindowTitle(tr("Change Port"));
    setMinimumWidth(kMinimumWidth);
    SetControlId(m_ports, kPortListId);
    SetControlId(m_device, kDeviceEditId);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    SetControlId(m_ok, 1);
    SetControlId(buttons->button(QDialogButtonBox::Cancel), 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ports, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item && item->flags().testFlag(Qt::ItemIsEnabled)) {
            m_device->setText(item->data(Qt::UserRole).toString());
        }
    });
    connect(m_device, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_ok->setEnabled(!text.trimmed().isEmpty()); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("The serial ports of this computer; COM%1 will stand for the "
                                    "one you choose:")
                                     .arg(slot),
                                 this));
    layout->addWidget(m_ports);
    layout->addWidget(new QLabel(tr("Device (or type the path of another one):"), this));
    layout->addWidget(m_device);
    layout->addWidget(buttons);
    m_ok->setEnabled(false);
    FillList(slot);
    // A list that gets the focus without a current port makes its first one current, which
    // would put another device in place of the one the slot stands for now.
    m_device->setFocus();
}

void CPortChooserDlg::FillList(int slot) {
    const std::string current = m_opener.DeviceFor("COM" + std::to_string(slot));
    const auto rows = ListPorts(
        PortEnvironment::Current(m_context.system),
        [this](int n) { return m_opener.DeviceFor("COM" + std::to_string(n)); },
        m_context.language);
    for (const PortRow& row : rows) {
        QString text = Q(PortLine(row.port, m_context.language));
        if (!row.comSlots.empty()) {
            text += "  (" + SlotNames(row.comSlots) + ")";
        }
        if (!row.openable) {
            text += "\n    " + Q(row.reason);
        }
        auto* item = new QListWidgetItem(text, m_ports);
        const auto& path = row.port.byId.empty() ? row.port.device : row.port.byId;
        item->setData(Qt::UserRole, QString::fromStdString(path.string()));
        if (LeadsTo(current, row.port)) {
            m_ports->setCurrentItem(item);
        }
    }
    if (rows.empty()) {
        auto* none = new QListWidgetItem(tr("No serial port found: plug the cable in."), m_ports);
        none->setFlags(Qt::NoItemFlags);
    }
    if (m_device->text().isEmpty()) {
        m_device->setText(QString::fromStdString(current));
    }
}

QString CPortChooserDlg::device() const {
    return m_device->text().trimmed();
}

void CPortChooserDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        RequestContextHelp(m_context, ControlId(focusWidget()), this);
    }
    QDialog::keyPressEvent(event);
}

}  // namespace radioprog::gui
