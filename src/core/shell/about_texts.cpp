#include "shell/about_texts.h"

#include "doc/ini_profile.h"

namespace radioprog {

AboutTexts ReadAboutTexts(const CIniProfile& profile, std::string_view languageName) {
    return {profile.GetValue(languageName, "About Title", ""),
            profile.GetValue(languageName, "Version", ""),
            profile.GetValue(languageName, "Copyrights", ""),
            profile.GetValue(languageName, "Copyrights Owner", "")};
}

}  // namespace radioprog
