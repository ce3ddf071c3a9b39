#pragma once

#include <filesystem>
#include <string>

#include "base/language.h"
#include "base/status.h"
#include "doc/ini_profile.h"
#include "doc/user_store.h"
#include "radio/band_limits.h"
#include "radio/packed_password.h"

namespace radioprog {

/// Everything that is process-wide for one run of the program: the settings file, the per-user
/// store, the language, the login and the band limits in use. The application builds one; tests
/// build as many independent ones as they need.
struct AppContext {
    explicit AppContext(std::filesystem::path userStoreFile = UserStore::DefaultLocation())
        : userStore(std::move(userStoreFile)) {}

    CIniProfile profile{4};
    UserStore userStore;

    std::filesystem::path appDirectory;
    std::string languageName;  ///< `Setup` `Language`, also the section of per-language texts
    Language language = Language::English;

    int accessRole = 0;                     ///< 0 User, anything else Admin
    PackedPassword loginPassword{0, 0, 0};  ///< never stored on disk
    std::string portName = "COM1";          ///< the port every exchange opens
    BandLimits band;                        ///< band limits in use
    bool newDocument = false;               ///< set by New, cleared by Open and by a read
    std::string appName = "Program";        ///< caption of every message box: `Company`

    /// `Setup` `AppName`: the per-user key under `Software\` and a new document's path name.
    std::string SetupAppName() const { return profile.GetValue("Setup", "AppName", ""); }
    /// `AppName` of the language section: the start of the main window's title.
    std::string TitleAppName() const { return profile.GetValue(languageName, "AppName", ""); }
};

/// Loads `Program.ini` from @p appDirectory (creating it when missing, written back when the
/// context ends) and fixes the language of the run: Chinese only for the exact name "Chinese".
/// Fails when the file is there but cannot be read, a named pipe or a device among them; the
/// message is English, the language being one of the settings that could not be read. The
/// defaults are then in force.
Status LoadSettings(AppContext& context, const std::filesystem::path& appDirectory);

/// The access role the Login dialog offers first at the next start: the per-user value `Power`
/// of section `Data`, 0 (User) when it is not there.
int LoadAccessRole(const AppContext& context);
/// Keeps the access role of this run for the next start.
Status StoreAccessRole(AppContext& context);

}  // namespace radioprog
