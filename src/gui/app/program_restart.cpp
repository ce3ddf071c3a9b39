#include "gui/app/program_restart.h"

#include <QProcess>

namespace radioprog::gui {

RestartCommand BuildRestartCommand(const QString& executable,
                                   const std::filesystem::path& appDirectory, bool demo) {
    RestartCommand command{executable, {"--appdir", QString::fromStdString(appDirectory.string())}};
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
