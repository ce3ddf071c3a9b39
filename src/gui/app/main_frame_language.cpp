// The restart that makes a new language take effect.
#include <QCoreApplication>

#include "gui/app/main_frame.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"

namespace radioprog::gui {

void CMainFrame::SetRestart(RestartCommand command, ProgramStarter starter) {
    m_restart = std::move(command);
    m_starter = std::move(starter);
}

// The new instance is started before this one closes, so that a start that fails leaves the
// user with a running program and a message instead of no program at all.
void CMainFrame::RestartForLanguage() {
    const QString caption = Q(m_context.appName);
    const QString later =
        tr("The language you chose takes effect the next time the program starts.");
    const RestartResult result = radioprog::RestartForLanguage(
        m_context, m_session, [this] { return m_starter(m_restart); });
    if (!result.roleStored) {
        Messages().Show(this, QMessageBox::Warning, caption, Q(result.roleStored.message()),
                        QMessageBox::Ok);
    }
    switch (result.end) {
        case RestartEnd::SettingsNotStored:
            Messages().Show(this, QMessageBox::Warning, caption,
                            tr("The language could not be stored, so the program keeps running "
                               "in this language.\n%1")
                                .arg(Q(result.detail)),
                            QMessageBox::Ok);
            return;
        case RestartEnd::KeptRunning:
            Messages().Show(this, QMessageBox::Information, caption, later, QMessageBox::Ok);
            return;
        case RestartEnd::StartFailed:
            Messages().Show(
                this, QMessageBox::Warning, caption,
                tr("The program could not be started again.\n%1\n%2").arg(Q(result.detail), later),
                QMessageBox::Ok);
            return;
        case RestartEnd::Restarting:
            break;
    }
    m_restarting = true;
    close();
    QCoreApplication::quit();
}

}  // namespace radioprog::gui
