#include "core/base/locale_language.h"

#include <cstdlib>

namespace radioprog {
namespace {

std::string_view Variable(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string_view() : std::string_view(value);
}

}  // namespace

Language LanguageOfLocale(std::string_view lcAll, std::string_view lcMessages,
                          std::string_view lang) {
    for (const std::string_view locale : {lcAll, lcMessages, lang}) {
        if (!locale.empty()) {
            return locale.starts_with("zh") ? Language::Chinese : Language::English;
        }
    }
    return Language::English;
}

Language LanguageOfEnvironment() {
    return LanguageOfLocale(Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG"));
}

}  // namespace radioprog
