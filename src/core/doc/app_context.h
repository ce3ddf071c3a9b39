#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/base/language.h"
#include "core/base/status.h"
#include "core/doc/backup_store.h"
#include "core/doc/program_settings.h"
#include "core/doc/settings_layout.h"
#include "core/doc/user_store.h"
#include "core/link/link_session.h"
#include "core/ports/system_roots.h"
#include "core/radio/band_limits.h"

namespace radioprog {

/// Everything that is process-wide for one run of the program: the settings file, the per-user
/// store, the language, the login and the band limits in use. The application builds one; tests
/// build as many independent ones as they need.
struct AppContext {
    explicit AppContext(std::filesystem::path userStoreFile = UserStore::DefaultLocation())
        : userStore(std::move(userStoreFile)) {}

    ProgramSettings profile;
    UserStore userStore;

    SettingsLayout layout;               ///< where the settings and the other files are
    std::filesystem::path appDirectory;  ///< the catalogues, help pages and pictures
    std::string languageName;  ///< `Setup` `Language`, also the section of per-language texts
    Language language = Language::English;
    /// The language name an installed program starts with when no settings file names one:
    /// the locale's; empty for one folder, which has always needed its `Language` key.
    std::string languageWhenUnset;

    LinkSession link;                 ///< the login and the port every exchange opens
    BandLimits band;                  ///< band limits in use
    bool newDocument = false;         ///< set by New, cleared by Open and by a read
    std::string appName = "Program";  ///< caption of every message box: `Company`
    SystemRoots system;               ///< where serial ports and their users are looked up
    /// Where reads and before-write memories are kept.
    std::filesystem::path backupFolder = BackupStore::DefaultFolder();

    /// `Setup` `AppName`: the per-user key under `Software\` and a new document's path name.
    std::string SetupAppName() const { return profile.GetValue("Setup", "AppName", ""); }
    /// `AppName` of the language section: the start of the main window's title.
    std::string TitleAppName() const { return profile.GetValue(languageName, "AppName", ""); }
    /// The language name the next start will use.
    std::string StoredLanguageName() const;
};

/// Loads the settings files of @p layout (written back when the context ends) and fixes the
/// language of the run: Chinese only for the exact name "Chinese"; an installed program whose
/// settings name no language follows the locale.
/// @return the settings files that exist but could not be read, a named pipe or a device among
///         them (the message is English, the language being one of the settings that could not
///         be read); the defaults are then in force.
[[nodiscard]] Status LoadSettings(AppContext& context, const SettingsLayout& layout);
/// Loads `Program.ini` from the one folder @p appDirectory, creating it when missing.
Status LoadSettings(AppContext& context, const std::filesystem::path& appDirectory);

/// The access role the Login dialog offers first at the next start: the per-user value `Power`
/// of section `Data`, User when it is not there; nothing when it holds neither 0 nor 1 (the
/// Login dialog then selects no role, and the run counts as Admin).
std::optional<AccessRole> LoadAccessRole(const AppContext& context);
/// Keeps the access role of this run for the next start.
Status StoreAccessRole(AppContext& context);

}  // namespace radioprog
