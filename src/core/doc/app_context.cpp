#include "doc/app_context.h"

#include "base/regular_file.h"

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

int LoadAccessRole(const AppContext& context) {
    return static_cast<int>(context.userStore.GetInt(kRoleKey, kRoleValue, 0));
}

Status StoreAccessRole(AppContext& context) {
    return context.userStore.SetInt(kRoleKey, kRoleValue,
                                    static_cast<std::uint32_t>(context.accessRole));
}

}  // namespace radioprog
