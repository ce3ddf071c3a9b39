#include "gui/app/program_restart.h"

#include <QProcess>

namespace radioprog::gui {

RestartCommand BuildRestartCommand(const QString& executable, const SettingsLayout& layout,
                                   bool demo) {
    RestartCommand command{executable, {}};
    if (layout.singleFolder) {
        command.arguments << "--appdir" << QString::fromStdString(layout.appDirectory.string());
    }
    if (demo) {
        command.arguments << "--demo";
    }
    return command;
}

Status StartDetached(const RestartCommand& command) {
    QProcess process;
    process.setProgram(command.program);
    process.setArguments(command.arguments);
    if (process.startDetached()) {
        return Status::Ok();
    }
    const QString reason = process.errorString();
    return Status::Error(
        (command.program + ": " + (reason.isEmpty() ? QStringLiteral("cannot be started") : reason))
            .toStdString());
}

}  // namespace radioprog::gui
