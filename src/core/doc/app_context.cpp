#include "core/doc/app_context.h"

#include "core/base/locale_language.h"
#include "core/base/regular_file.h"

namespace radioprog {
namespace {

constexpr std::string_view kRoleKey =
    "Software\\Local AppWizard-Generated Applications\\Program\\Data";
constexpr std::string_view kRoleValue = "Power";

}  // namespace

std::string AppContext::StoredLanguageName() const {
    std::string name = profile.GetValue("Setup", "Language", "");
    return name.empty() ? languageWhenUnset : name;
}

Status LoadSettings(AppContext& context, const SettingsLayout& layout) {
    context.layout = layout;
    context.appDirectory = layout.appDirectory;
    const Status loaded = context.profile.Load(layout);
    context.languageWhenUnset =
        layout.singleFolder ? std::string() : std::string(LanguageSetting(LanguageOfEnvironment()));
    context.languageName = context.StoredLanguageName();
    context.language = LanguageOfSetting(context.languageName);
    return loaded;
}

Status LoadSettings(AppContext& context, const std::filesystem::path& appDirectory) {
    return LoadSettings(context, SingleFolderLayout(appDirectory));
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
