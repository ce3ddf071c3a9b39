#include "doc/app_context.h"

namespace radioprog {

void LoadSettings(AppContext& context, const std::filesystem::path& appDirectory) {
    context.appDirectory = appDirectory;
    context.profile.SetDirectory(appDirectory);
    context.profile.Load("Program.ini", /*writeBack=*/true, /*caseInsensitive=*/true,
                         /*backup=*/false);
    context.languageName = context.profile.GetValue("Setup", "Language", "");
    context.language = LanguageOfSetting(context.languageName);
}

}  // namespace radioprog
