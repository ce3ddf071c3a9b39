#include "core/doc/language_choice.h"

#include "core/base/text_number.h"

namespace radioprog {

int InitialLanguageSelection(std::string_view stored) {
    return static_cast<int>(LanguageOfSetting(stored));
}

LanguageOk DecideLanguageOk(Language running, std::string_view stored, int selected, bool changed) {
    LanguageOk ok;
    ok.changed = changed;
    if (selected != 0 && selected != 1) {
        return ok;
    }
    const Language chosen = selected == 1 ? Language::Chinese : Language::English;
    if (chosen != running) {
        ok.changed = true;
        ok.store = std::string(LanguageSetting(chosen));
    } else if (LanguageOfSetting(stored) != chosen) {
        ok.store = std::string(LanguageSetting(chosen));
    }
    return ok;
}

bool ShowsLanguageCommand(std::string_view showLang) {
    return LeadingInt(showLang) != 0;
}

}  // namespace radioprog
