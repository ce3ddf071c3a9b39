#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace radioprog::gui {

/// The progress of one transfer. OK starts it (the dialog stays open), Cancel closes the dialog
/// before it starts and asks a running transfer to stop between blocks.
class CProcessDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kBlocks = 62;

    explicit CProcessDlg(QWidget* parent = nullptr);

    void SetTitle(const QString& title) { setWindowTitle(title); }
    bool cancelRequested() const { return m_cancelRequested; }
    bool started() const;
    /// One more block is done.
    void Step();
    /// A new phase of a safe write ("Backing up", "Writing", "Verifying"): its name shows above
    /// the bar, and the bar and the counter start again at 0.
    void SetPhase(const QString& phase);
    QLabel* phaseLabel() const { return m_phase; }
    /// The transfer ended: the dialog goes away.
    void Finish();

    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    QProgressBar* bar() const { return m_bar; }
    QLabel* counter() const { return m_counter; }

signals:
    /// OK: the owner starts the transfer.
    void StartRequested();

public slots:
    void reject() override;

private:
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QProgressBar* m_bar;
    QLabel* m_counter;
    QLabel* m_phase;
    bool m_cancelRequested = false;
};

}  // namespace radioprog::gui
