#pragma once

#include <QPointer>

#include "core/doc/app_context.h"
#include "core/doc/safe_write.h"
#include "gui/link/process_dlg.h"

class QWidget;

namespace radioprog::gui {

/// A transfer's user side in the window: the application keeps running through the pumps, the
/// progress dialog shows the blocks and carries Cancel, questions and messages are boxes.
class GuiLinkObserver : public SafeWriteObserver {
public:
    GuiLinkObserver(AppContext& context, QWidget* owner, CProcessDlg* dialog);

    void Pump() override;
    bool CancelRequested() const override;
    void Progress(int blocksDone) override;
    bool AskRetry() override;
    std::optional<PackedPassword> ReLogin() override;
    void ShowMessage(LinkMessage message, const std::string& detail) override;
    bool ConfirmWrite(const std::string& question) override;
    void PhaseStarted(SafeWritePhase phase) override;
    /// The changes from the radio to the memory to write, with Write and Cancel.
    bool ConfirmChanges(const RadioImage& radio, const RadioImage& toWrite) override;

private:
    QString AppName() const;

    AppContext& m_context;
    QWidget* m_owner;
    QPointer<CProcessDlg> m_dialog;
};

}  // namespace radioprog::gui
