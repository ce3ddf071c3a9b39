#include "gui/link/fleet_write_dlg.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "core/doc/port_map.h"
#include "core/fleet/fleet_texts.h"
#include "core/link/block_transfer.h"
#include "core/link/serial_port_opener.h"
#include "core/ports/port_discovery.h"
#include "gui/app/context_help.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"

namespace radioprog::gui {
namespace {

constexpr int kHelpContext = 32820;
constexpr int kPortsId = 32821;
constexpr int kTypedPortId = 32822;
constexpr int kCountId = 32823;
constexpr int kBackupId = 32824;
constexpr int kTableId = 32825;
constexpr int kOpenLogId = 32826;
constexpr int kStartId = 32827;
constexpr int kStopId = 32828;
constexpr int kMostRadios = 100000;
constexpr int kPollMs = 200;

enum Column { kRadio, kPort, kProgress, kPhase, kResult, kColumns };

constexpr int kDeviceRole = Qt::UserRole;

}  // namespace

CFleetWriteDlg::CFleetWriteDlg(const AppContext& context, const RadioImage& image,
                               const QString& documentTitle, QWidget* parent)
    : QDialog(parent),
      m_context(context),
      m_image(image),
      m_ports(new QListWidget(this)),
      m_typedPort(new QLineEdit(this)),
      m_count(new QSpinBox(this)),
      m_backup(new QCheckBox(tr("Back up each radio before writing"), this)),
      m_table(new QTableWidget(0, kColumns, this)),
      m_portStates(new QLabel(this)),
      m_summary(new QLabel(this)),
      m_start(nullptr),
      m_stop(nullptr),
      m_openLog(nullptr),
      m_poll(new QTimer(this)) {
    qRegisterMetaType<radioprog::PortState>();
    qRegisterMetaType<radioprog::RadioRecord>();
    setWindowTitle(tr("Fleet Write"));
    setModal(false);

    auto* memory = new QLabel(tr("Memory: %1").arg(documentTitle), this);
    memory->setTextInteractionFlags(Qt::TextSelectableByMouse);
    for (const DiscoveredPort& port : DiscoverPorts(context.system)) {
        ChoosePort(Q(port.device.string()));
        QListWidgetItem* item = m_ports->item(m_ports->count() - 1);
        item->setText(Q(PortLine(port, context.language)));
        item->setCheckState(Qt::Unchecked);
    }
    m_ports->setMaximumHeight(120);
    SetControlId(m_ports, kPortsId);
    m_typedPort->setPlaceholderText(tr("Another port, such as /dev/ttyUSB0 or COM2"));
    SetControlId(m_typedPort, kTypedPortId);
    auto* add = new QPushButton(tr("Add"), this);
    connect(add, &QPushButton::clicked, this, [this] {
        if (!m_typedPort->text().trimmed().isEmpty()) {
            ChoosePort(m_typedPort->text().trimmed());
            m_typedPort->clear();
        }
    });
    connect(m_typedPort, &QLineEdit::returnPressed, add, &QPushButton::click);

    m_count->setRange(0, kMostRadios);
    m_count->setSpecialValueText(tr("One per port"));
    SetControlId(m_count, kCountId);
    m_backup->setChecked(true);
    SetControlId(m_backup, kBackupId);

    m_table->setHorizontalHeaderLabels(
        {tr("Radio"), tr("Port"), tr("Progress"), tr("Phase"), tr("Result")});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(kRadio, 60);
    m_table->setColumnWidth(kPort, 160);
    m_table->setColumnWidth(kProgress, 140);
    m_table->setColumnWidth(kPhase, 240);
    SetControlId(m_table, kTableId);

    auto* buttons = new QDialogButtonBox(this);
    m_start = buttons->addButton(tr("Start"), QDialogButtonBox::ActionRole);
    m_stop = buttons->addButton(tr("Stop"), QDialogButtonBox::ActionRole);
    m_openLog = buttons->addButton(tr("Open Log"), QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    SetControlId(m_start, kStartId);
    SetControlId(m_stop, kStopId);
    SetControlId(m_openLog, kOpenLogId);
    SetControlId(close, 2);
    // Enter in the port field adds the port; it must not start a run with the ports so far.
    for (QPushButton* button : {add, m_start, m_stop, m_openLog, close}) {
        button->setAutoDefault(false);
    }
    m_stop->setEnabled(false);
    m_openLog->setEnabled(false);
    connect(m_start, &QPushButton::clicked, this, &CFleetWriteDlg::Start);
    connect(m_stop, &QPushButton::clicked, this, &CFleetWriteDlg::Stop);
    connect(m_openLog, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(logFile())); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    connect(&m_signals, &FleetSignals::portChanged, this, &CFleetWriteDlg::OnPortChanged,
            Qt::QueuedConnection);
    connect(&m_signals, &FleetSignals::radioFinished, this, &CFleetWriteDlg::OnRadioFinished,
            Qt::QueuedConnection);
    connect(m_poll, &QTimer::timeout, this, &CFleetWriteDlg::CheckFinished);

    auto* typed = new QHBoxLayout;
    typed->addWidget(m_typedPort, 1);
    typed->addWidget(add);
    auto* form = new QFormLayout;
    form->addRow(tr("Radios in all:"), m_count);
    form->addRow(QString(), m_backup);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(memory);
    layout->addWidget(new QLabel(tr("Ports:"), this));
    layout->addWidget(m_ports);
    layout->addLayout(typed);
    layout->addLayout(form);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_portStates);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    resize(900, 640);
}

CFleetWriteDlg::~CFleetWriteDlg() {
    // The ports' threads stop between two blocks and are waited for; their last reports are
    // queued for a dialog that no longer listens.
    m_run.reset();
}

void CFleetWriteDlg::ChoosePort(const QString& device) {
    for (int i = 0; i < m_ports->count(); ++i) {
        if (m_ports->item(i)->data(kDeviceRole).toString() == device) {
            m_ports->item(i)->setCheckState(Qt::Checked);
            return;
        }
    }
    auto* item = new QListWidgetItem(device, m_ports);
    item->setData(kDeviceRole, device);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
}

void CFleetWriteDlg::SetCount(int count) {
    m_count->setValue(count);
}

std::vector<std::string> CFleetWriteDlg::CheckedPorts() const {
    std::vector<std::string> ports;
    for (int i = 0; i < m_ports->count(); ++i) {
        if (m_ports->item(i)->checkState() == Qt::Checked) {
            ports.push_back(m_ports->item(i)->data(kDeviceRole).toString().toStdString());
        }
    }
    return ports;
}

bool CFleetWriteDlg::Start() {
    if (running()) {
        return false;
    }
    FleetPlan plan;
    plan.ports = CheckedPorts();
    if (plan.ports.empty()) {
        Warn(tr("Check at least one port."));
        return false;
    }
    plan.count = m_count->value();
    plan.login = m_context.link;
    plan.language = m_context.language;
    auto log = std::make_unique<FleetLog>();
    if (Status made = log->CreateIn(FleetLogFolder(), FleetClock::now(), m_context.language);
        !made) {
        Warn(Q(made.message()));
        return false;
    }
    m_run.reset();
    m_log = std::move(log);
    m_backups = std::make_unique<BackupStore>(BackupStore::DefaultFolder(),
                                              StoredBackupLimits(m_context.userStore));
    m_steps = std::make_unique<SafeWriteSteps>(m_image, *m_backups, m_backup->isChecked(),
                                               m_context.language);
    m_table->setRowCount(0);
    m_summary->clear();
    m_states.clear();
    for (std::size_t i = 0; i < plan.ports.size(); ++i) {
        PortState state;
        state.index = i;
        state.port = plan.ports[i];
        m_states.push_back(state);
    }
    ShowPorts();
    const PortBinding binding = PortBindingSnapshot(m_context.userStore);
    m_run = std::make_unique<FleetRun>(
        plan, *m_steps, [binding] { return std::make_unique<SerialPortOpener>(binding); },
        m_log.get(), m_signals);
    m_run->Start();
    for (QWidget* setting : std::initializer_list<QWidget*>{m_ports, m_typedPort, m_count, m_backup,
                                                            m_start, m_openLog}) {
        setting->setEnabled(false);
    }
    m_stop->setEnabled(true);
    m_poll->start(kPollMs);
    return true;
}

void CFleetWriteDlg::Stop() {
    if (m_run) {
        m_run->Cancel();
    }
}

bool CFleetWriteDlg::running() const {
    return m_run && m_poll->isActive();
}

QString CFleetWriteDlg::summary() const {
    return m_summary->text();
}

QString CFleetWriteDlg::portsText() const {
    return m_portStates->text();
}

QString CFleetWriteDlg::logFile() const {
    return m_log ? Q(m_log->path().string()) : QString();
}

void CFleetWriteDlg::OnPortChanged(const PortState& state) {
    if (state.index < m_states.size()) {
        m_states[state.index] = state;
        ShowPorts();
    }
    if (state.sequence == 0) {
        return;
    }
    const int row = RowOf(state.sequence);
    m_table->item(row, kPort)->setText(Q(state.port));
    auto* bar = static_cast<QProgressBar*>(m_table->cellWidget(row, kProgress));
    bar->setValue(state.blocksDone);
    m_table->item(row, kPhase)->setText(Q(PortStateText(state, m_context.language)));
}

void CFleetWriteDlg::OnRadioFinished(const RadioRecord& record) {
    const int row = RowOf(record.sequence);
    m_table->item(row, kPort)->setText(Q(record.port));
    auto* bar = static_cast<QProgressBar*>(m_table->cellWidget(row, kProgress));
    bar->setValue(record.outcome.kind == RadioResultKind::Verified ? kTransferBlocks
                                                                   : bar->value());
    m_table->item(row, kPhase)->setText(tr("Done"));
    m_table->item(row, kResult)->setText(Q(RadioResultText(record.outcome, m_context.language)));
}

int CFleetWriteDlg::RowOf(int sequence) {
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (m_table->item(row, kRadio)->data(Qt::UserRole).toInt() == sequence) {
            return row;
        }
    }
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    auto* number = new QTableWidgetItem(QString::number(sequence));
    number->setData(Qt::UserRole, sequence);
    m_table->setItem(row, kRadio, number);
    for (const int column : {kPort, kPhase, kResult}) {
        m_table->setItem(row, column, new QTableWidgetItem);
    }
    auto* bar = new QProgressBar(m_table);
    bar->setRange(0, kTransferBlocks);
    bar->setValue(0);
    m_table->setCellWidget(row, kProgress, bar);
    m_table->scrollToBottom();
    return row;
}

void CFleetWriteDlg::ShowPorts() {
    QStringList lines;
    for (const PortState& state : m_states) {
        lines << Q(state.port) + "  " + Q(PortStateText(state, m_context.language));
    }
    m_portStates->setText(lines.join('\n'));
}

void CFleetWriteDlg::CheckFinished() {
    if (!m_run || !m_run->Finished()) {
        return;
    }
    m_poll->stop();
    const FleetSummary result = m_run->Wait();
    QString text =
        Q(FleetSummaryText(result, m_context.language)) + "\n" + tr("Log: %1").arg(logFile());
    if (!result.logError.empty()) {
        text += "\n" + Q(result.logError);
    }
    m_summary->setText(text);
    for (QWidget* setting : std::initializer_list<QWidget*>{m_ports, m_typedPort, m_count, m_backup,
                                                            m_start, m_openLog}) {
        setting->setEnabled(true);
    }
    m_stop->setEnabled(false);
}

void CFleetWriteDlg::Warn(const QString& text) {
    Messages().Show(this, QMessageBox::Warning, Q(m_context.appName), text, QMessageBox::Ok);
}

void CFleetWriteDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        const int focused = ControlId(focusWidget());
        RequestContextHelp(m_context, focused != 0 ? focused : kHelpContext, this);
    }
    QDialog::keyPressEvent(event);
}

// Closing while radios are being written stops them only when the user says so.
void CFleetWriteDlg::closeEvent(QCloseEvent* event) {
    if (running()) {
        const auto answer = Messages().Show(
            this, QMessageBox::Question, Q(m_context.appName),
            tr("Radios are being written. Stop the run? A radio stopped part-way holds a mix of "
               "its old and new memory."),
            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes) {
            event->ignore();
            return;
        }
        m_run->Cancel();
        m_run->Wait();
        CheckFinished();
    }
    QDialog::closeEvent(event);
}

}  // namespace radioprog::gui
