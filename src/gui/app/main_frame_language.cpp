// Setup > Language and the restart that makes a new language take effect.
#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include "gui/app/main_frame.h"
#include "gui/app/message_service.h"
#include "gui/app/qt_text.h"
#include "gui/view/program_view.h"

namespace radioprog::gui {
void CMainFrame::SetRestart(RestartCommand command, ProgramStarter starter) {
    m_restart = std::move(command);
    m_starter = std::move(starter);
}

void CMainFrame::AddLanguageCommand() {
    // The view keeps the dialog, as it keeps COM Setup.
    auto* language = new QAction(tr("&Language"), this);
    language->setObjectName("language");
    language->setStatusTip(tr("Choose the language of the program"));
    connect(language, &QAction::triggered, this, [this] {
        if (CProgramView* view = activeView()) {
            view->OnLanguage();
        }
    });
    QMenu* setup = menu("menuSetup");
    setup->addAction(language);
    setup->menuAction()->setVisible(true);
    UpdateActions();
}

// The choice is in the settings file before anything else happens, so that it survives
// whatever follows: a document the user still wants to work on keeps this instance running, and
// the new language comes with the next start. The new instance is started before this one
// closes, so that a start that fails leaves the user with a running program and a message
// instead of no program at all.
void CMainFrame::RestartForLanguage() {
    const QString caption = Q(m_context.appName);
    const QString later =
        tr("The language you chose takes effect the next time the program starts.");
    Status written = Status::Ok();
    m_context.profile.Save(false, &written);
    if (!written) {
        Messages().Show(this, QMessageBox::Warning, caption,
                        tr("The language could not be stored, so the program keeps running in "
                           "this language.\n%1")
                            .arg(Q(written.message())),
                        QMessageBox::Ok);
        return;
    }
    if (!MaybeSave()) {
        Messages().Show(this, QMessageBox::Information, caption, later, QMessageBox::Ok);
        return;
    }
    // The new instance's Login offers the role of this run, as it would after a normal exit.
    if (const Status role = StoreAccessRole(m_context); !role) {
        Messages().Show(this, QMessageBox::Warning, caption, Q(role.message()), QMessageBox::Ok);
    }
    if (const Status started = m_starter(m_restart); !started) {
        Messages().Show(
            this, QMessageBox::Warning, caption,
            tr("The program could not be started again.\n%1\n%2").arg(Q(started.message()), later),
            QMessageBox::Ok);
        return;
    }
    // From here on the settings file belongs to the new instance.
    m_context.profile.StopWriteBack();
    m_restarting = true;
    close();
    QCoreApplication::quit();
}

}  // namespace radioprog::gui
