#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>

#include "core/base/status.h"

namespace radioprog::gui {

/// The command that starts this program again.
struct RestartCommand {
    QString program;
    QStringList arguments;
};

/// Starts a command on its own, without waiting for it; the failure says why.
using ProgramStarter = std::function<Status(const RestartCommand&)>;

/// @p executable with `--appdir` naming @p appDirectory, so that the new instance reads the
/// settings file this one has just written whatever told this one where it is, and with
/// `--demo` when this run is a demo run. No document: the new instance starts with a new one.
RestartCommand BuildRestartCommand(const QString& executable,
                                   const std::filesystem::path& appDirectory, bool demo);

/// Starts @p command detached from this process.
Status StartDetached(const RestartCommand& command);

}  // namespace radioprog::gui
