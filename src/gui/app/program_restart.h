#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "core/base/status.h"
#include "core/doc/settings_layout.h"

namespace radioprog::gui {

/// The command that starts this program again.
struct RestartCommand {
    QString program;
    QStringList arguments;
};

/// Starts a command on its own, without waiting for it; the failure says why.
using ProgramStarter = std::function<Status(const RestartCommand&)>;

/// @p executable, with `--appdir` naming the folder of a one-folder @p layout so that the new
/// instance reads the settings file this one has just written whatever told this one where it
/// is, and with `--demo` when this run is a demo run. An installed program finds its layers
/// again by itself: naming its data folder would make the new instance write there. No
/// document: the new instance starts with a new one.
RestartCommand BuildRestartCommand(const QString& executable, const SettingsLayout& layout,
                                   bool demo);

/// Starts @p command detached from this process.
Status StartDetached(const RestartCommand& command);

}  // namespace radioprog::gui
