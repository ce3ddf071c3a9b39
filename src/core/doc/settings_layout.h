#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace radioprog {

/// Where one run finds its files and which settings files it reads and writes.
struct SettingsLayout {
    /// The catalogues, the help pages, the pictures and the sample memory.
    std::filesystem::path appDirectory;
    /// The `Program.ini` files, read in this order; a later one wins key by key. Never empty.
    std::vector<std::filesystem::path> layers;
    /// One folder (a build folder, `--appdir`): its `Program.ini` is both read and written and is
    /// created empty when missing. Otherwise only the last layer, the user's own, is written,
    /// and no layer is ever created by reading it.
    bool singleFolder = false;

    /// The settings file the program writes: the last layer.
    const std::filesystem::path& written() const { return layers.back(); }
};

/// What decides the layout of a run.
struct SettingsPlaces {
    std::optional<std::string> appDirOption;       ///< `--appdir DIR`
    std::optional<std::string> appDirEnvironment;  ///< `RADIOPROG_APPDIR`
    std::filesystem::path executable;              ///< the running program
    std::filesystem::path dataFromBinaries;        ///< installed data, relative to the program
    std::filesystem::path dealerFolder;            ///< a dealer's settings: `/etc/radioprog`
    std::filesystem::path userFolder;              ///< the user's settings folder
};

/// The one-folder layout of @p folder.
SettingsLayout SingleFolderLayout(const std::filesystem::path& folder);

/// `--appdir`, else `RADIOPROG_APPDIR`, else a program folder that holds `Program.ini` (a build
/// folder or an unpacked copy) is one folder. Any other program is installed: its data lies at
/// @p places.dataFromBinaries from its folder, and the settings are the installed defaults, the
/// dealer's file and the user's file, in this order.
SettingsLayout ResolveSettingsLayout(const SettingsPlaces& places);

/// The places of this process: the option, its environment, its executable, the install
/// layout it was built for and the user's XDG configuration folder.
SettingsPlaces RunPlaces(const std::optional<std::string>& appDirOption);

}  // namespace radioprog
