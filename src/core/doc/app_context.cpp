#include "doc/app_context.h"

namespace radioprog {
namespace {

constexpr std::string_view kRoleKey =
    "Software\\Local AppWizard-Generated Applications\\Program\\Data";
constexpr std::string_view kRoleValue = "Power";

}  // namespace

void LoadSettings(AppContext& context, const std::filesystem::path& appDirectory) {
    context.appDirectory = appDirectory;
    context.profile.SetDirectory(appDirectory);
    context.profile.Load("Program.ini", /*writeBack=*/true, /*caseInsensitive=*/true,
                         /*backup=*/false);
    context.languageName = context.profile.GetValue("Setup", "Language", "");
    context.language = LanguageOfSetting(context.languageName);
}

int LoadAccessRole(const AppContext& context) {
    return static_cast<int>(context.userStore.GetInt(kRoleKey, kRoleValue, 0));
}

Status StoreAccessRole(AppContext& context) {
    return context.userStore.SetInt(kRoleKey, kRoleValue,
                                    static_cast<std::uint32_t>(context.accessRole));
}

}  // namespace radioprog
