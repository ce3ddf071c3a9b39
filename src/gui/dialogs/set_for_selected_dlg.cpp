#include "gui/dialogs/set_for_selected_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "core/radio/channel_grid.h"
#include "core/radio/grid_columns.h"
#include "gui/app/context_help.h"
#include "gui/app/ok_cancel.h"
#include "gui/app/qt_text.h"

namespace radioprog::gui {
namespace {

constexpr int kColumnListId = 1001;
constexpr int kValueListId = 1002;
constexpr int kHelpContext = 32819;
// The columns whose lists are short come first: they are the ones set for many channels.
constexpr int kColumns[] = {column::kPower,      column::kScanAdd, column::kBusyLock,
                            column::kWideNarrow, column::kRxTone,  column::kTxTone};

QString ChannelList(const std::vector<int>& channels) {
    QStringList numbers;
    for (int channel : channels) {
        numbers << QString::number(channel);
    }
    return numbers.join(", ");
}

}  // namespace

CSetForSelectedDlg::CSetForSelectedDlg(const AppContext& context, const std::vector<int>& channels,
                                       QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_columns(new QComboBox(this)),
      m_values(new QComboBox(this)) {
    setWindowTitle(tr("Set for Selected"));
    SetControlId(m_columns, kColumnListId);
    SetControlId(m_values, kValueListId);
    for (int col : kColumns) {
        m_columns->addItem(Q(ColumnHeader(col, context.language)), col);
    }
    m_values->setMaxVisibleItems(12);
    connect(m_columns, &QComboBox::currentIndexChanged, this, &CSetForSelectedDlg::FillValues);
    FillValues();

    auto* channelsLabel = new QLabel(tr("Channels: %1").arg(ChannelList(channels)), this);
    channelsLabel->setWordWrap(true);
    auto* form = new QFormLayout;
    form->addRow(tr("&Column:"), m_columns);
    form->addRow(tr("&Value:"), m_values);
    auto* note = new QLabel(tr("A channel without a frequency stays empty."), this);
    note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(channelsLabel);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(MakeOkCancel(this));
    setMinimumWidth(320);
}

void CSetForSelectedDlg::FillValues() {
    m_values->clear();
    for (const std::string& item : ColumnItems(column(), m_context.language)) {
        m_values->addItem(Q(item));
    }
}

int CSetForSelectedDlg::column() const {
    return m_columns->currentData().toInt();
}

std::string CSetForSelectedDlg::value() const {
    return m_values->currentText().toStdString();
}

void CSetForSelectedDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        const int focused = ControlId(focusWidget());
        RequestContextHelp(m_context, focused != 0 ? focused : kHelpContext, this);
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace radioprog::gui
