#pragma once

#include <QDialog>
#include <QString>
#include <memory>
#include <vector>

#include "core/doc/app_context.h"
#include "core/doc/backup_store.h"
#include "core/fleet/fleet_log.h"
#include "core/fleet/fleet_run.h"
#include "core/fleet/safe_write_steps.h"
#include "core/radio/memory_image.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

Q_DECLARE_METATYPE(radioprog::PortState)
Q_DECLARE_METATYPE(radioprog::RadioRecord)

namespace radioprog::gui {

/// Hands what the ports' threads report to the dialog's thread as queued signals.
class FleetSignals final : public QObject, public FleetReporter {
    Q_OBJECT
public:
    using QObject::QObject;
    void PortChanged(const PortState& state) override { emit portChanged(state); }
    void RadioFinished(const RadioRecord& record) override { emit radioFinished(record); }

signals:
    void portChanged(const radioprog::PortState& state);
    void radioFinished(const radioprog::RadioRecord& record);
};

/// Program > Fleet Write: the document's memory to many radios, on the ports chosen (the
/// machine's serial ports with their names, or a typed device), one radio after another on
/// each. A row per radio shows its port, progress, phase and result while the run goes on off
/// the desktop's thread; the end says how many of each and offers the log.
class CFleetWriteDlg : public QDialog {
    Q_OBJECT
public:
    /// @p documentTitle names the memory in the dialog; @p context must outlive the dialog.
    CFleetWriteDlg(const AppContext& context, const RadioImage& image, const QString& documentTitle,
                   QWidget* parent = nullptr);
    ~CFleetWriteDlg() override;

    /// Checks the port @p device, adding it to the list when it is not there.
    void ChoosePort(const QString& device);
    void SetCount(int count);
    /// Starts the run with the ports checked; says why it cannot (no port, a log that cannot be
    /// made). Returns whether it started.
    bool Start();
    /// Stops the run; the radios under way stop between two blocks.
    void Stop();
    bool running() const;

    QTableWidget* table() const { return m_table; }
    QString summary() const;
    QString portsText() const;
    QString logFile() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void OnPortChanged(const PortState& state);
    void OnRadioFinished(const RadioRecord& record);
    void CheckFinished();
    int RowOf(int sequence);
    void ShowPorts();
    void Warn(const QString& text);
    std::vector<std::string> CheckedPorts() const;

    const AppContext& m_context;
    const RadioImage m_image;

    QListWidget* m_ports;
    QLineEdit* m_typedPort;
    QSpinBox* m_count;
    QCheckBox* m_backup;
    QTableWidget* m_table;
    QLabel* m_portStates;
    QLabel* m_summary;
    QPushButton* m_start;
    QPushButton* m_stop;
    QPushButton* m_openLog;
    QTimer* m_poll;

    FleetSignals m_signals;
    std::vector<PortState> m_states;
    std::unique_ptr<BackupStore> m_backups;
    std::unique_ptr<SafeWriteSteps> m_steps;
    std::unique_ptr<FleetLog> m_log;
    std::unique_ptr<FleetRun> m_run;
};

}  // namespace radioprog::gui
