#include "core/doc/about_texts.h"

#include "core/doc/app_context.h"
#include "core/doc/settings_source.h"

namespace radioprog {

AboutTexts ReadAboutTexts(const SettingsSource& profile, std::string_view languageName) {
    return {profile.GetValue(languageName, "About Title", ""),
            profile.GetValue(languageName, "Version", ""),
            profile.GetValue(languageName, "Copyrights", ""),
            profile.GetValue(languageName, "Copyrights Owner", "")};
}

std::string ReportOwner(const AppContext& context) {
    return ReadAboutTexts(context.profile, context.languageName).owner;
}

}  // namespace radioprog
