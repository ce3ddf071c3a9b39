#include "core/doc/app_context.h"

#include "core/base/regular_file.h"

namespace radioprog {
namespace {

constexpr std::string_view kRoleKey =
    "Software\\Local AppWizard-Generated Applications\\Program\\Data";
constexpr std::string_view kRoleValue = "Power";

}  // namespace

Status LoadSettings(AppContext& context, const std::filesystem::path& appDirectory) {
    context.appDirectory = appDirectory;
    context.profile.SetDirectory(appDirectory);
    Status loaded = Status::Ok();
    const bool read = context.profile.Load("Program.ini", /*writeBack=*/true,
                                           /*caseInsensitive=*/true, /*backup=*/false, &loaded);
    context.languageName = context.profile.GetValue("Setup", "Language", "");
    context.language = LanguageOfSetting(context.languageName);
    // A settings file that cannot be created leaves the defaults in force without a word; one
    // that is there and cannot be read (a named pipe, a device) is a mistake to hear about.
    if (!read && KindOfFile(appDirectory / "Program.ini") != FileKind::Missing) {
        return loaded;
    }
    return Status::Ok();
}

std::optional<AccessRole> LoadAccessRole(const AppContext& context) {
    const std::uint32_t stored = context.userStore.GetInt(kRoleKey, kRoleValue, 0);
    if (stored > 1) {
        return std::nullopt;
    }
    return RoleFromStoredValue(static_cast<int>(stored));
}

Status StoreAccessRole(AppContext& context) {
    return context.userStore.SetInt(kRoleKey, kRoleValue,
                                    static_cast<std::uint32_t>(StoredRoleValue(context.link.role)));
}

}  // namespace radioprog
