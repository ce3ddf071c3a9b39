#include "core/doc/settings_layout.h"

#include <cstdlib>
#include <system_error>

#include "core/base/app_directory.h"
#include "core/base/user_folders.h"

namespace radioprog {
namespace {

constexpr const char* kSettingsFile = "Program.ini";

std::filesystem::path Absolute(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, error);
    return error ? std::filesystem::path(folder) : absolute;
}

}  // namespace

SettingsLayout SingleFolderLayout(const std::filesystem::path& folder) {
    return {folder, {folder / kSettingsFile}, true};
}

SettingsLayout ResolveSettingsLayout(const SettingsPlaces& places) {
    for (const auto& named : {places.appDirOption, places.appDirEnvironment}) {
        if (named && !named->empty()) {
            return SingleFolderLayout(Absolute(*named));
        }
    }
    const std::filesystem::path programFolder = places.executable.parent_path();
    std::error_code error;
    if (std::filesystem::is_regular_file(programFolder / kSettingsFile, error)) {
        return SingleFolderLayout(programFolder);
    }
    const std::filesystem::path data = (programFolder / places.dataFromBinaries).lexically_normal();
    return {data,
            {data / kSettingsFile, places.dealerFolder / kSettingsFile,
             places.userFolder / kSettingsFile},
            false};
}

SettingsPlaces RunPlaces(const std::optional<std::string>& appDirOption) {
    SettingsPlaces places;
    places.appDirOption = appDirOption;
    if (const char* fromEnvironment = std::getenv("RADIOPROG_APPDIR")) {
        places.appDirEnvironment = fromEnvironment;
    }
    places.executable = RunningExecutable();
    // Without /proc the program is taken to lie in the current folder, as a program started
    // by a bare name would.
    if (places.executable.empty()) {
        std::error_code error;
        places.executable = std::filesystem::current_path(error) / "radioprog";
    }
    places.dataFromBinaries = RADIOPROG_DATA_FROM_BINARIES;
    places.dealerFolder = RADIOPROG_DEALER_FOLDER;
    places.userFolder = UserConfigFolder();
    return places;
}

}  // namespace radioprog
