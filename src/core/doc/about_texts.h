#pragma once

#include <string>
#include <string_view>

namespace radioprog {

struct AppContext;
class SettingsSource;

/// What the About box says, from the language section of the settings file.
struct AboutTexts {
    std::string title;      ///< "About Title": the caption and the Help menu's About item
    std::string version;    ///< "Version"
    std::string copyright;  ///< "Copyrights"
    std::string owner;      ///< "Copyrights Owner"
};

/// Reads the texts from section @p languageName; a missing key reads as empty.
AboutTexts ReadAboutTexts(const SettingsSource& profile, std::string_view languageName);

/// The owner line of the printed report's footer: `Copyrights Owner` of the language's section
/// of the settings file, empty when missing.
std::string ReportOwner(const AppContext& context);

}  // namespace radioprog
