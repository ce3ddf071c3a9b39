#pragma once

#include <filesystem>

namespace radioprog {

/// The folder of the user's own settings: `$XDG_CONFIG_HOME/radioprog`, or
/// `~/.config/radioprog` when XDG_CONFIG_HOME is unset or not an absolute path.
std::filesystem::path UserConfigFolder();

/// The folder of what the program keeps for the user (backups, logs): `$XDG_DATA_HOME/radioprog`,
/// or `~/.local/share/radioprog` when XDG_DATA_HOME is unset or not an absolute path.
std::filesystem::path UserDataFolder();

}  // namespace radioprog
