#pragma once

#include <string_view>

#include "core/base/language.h"

namespace radioprog {

/// The language a locale asks for: Chinese when the locale that decides messages (the first
/// that is set and not empty of LC_ALL, LC_MESSAGES and LANG) starts with "zh", English
/// otherwise.
Language LanguageOfLocale(std::string_view lcAll, std::string_view lcMessages,
                          std::string_view lang);

/// The same for the locale of this process's environment.
Language LanguageOfEnvironment();

}  // namespace radioprog
