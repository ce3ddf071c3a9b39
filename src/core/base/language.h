#pragma once

#include <string_view>

namespace radioprog {

/// The language of a run: 0 English, 1 Chinese, as the settings file chooses it.
enum class Language { English = 0, Chinese = 1 };

/// The language a `Setup` `Language` value starts: Chinese only for exactly "Chinese" (letter
/// case matters), English for anything else.
constexpr Language LanguageOfSetting(std::string_view value) {
    return value == "Chinese" ? Language::Chinese : Language::English;
}

/// The `Setup` `Language` value that starts @p language.
constexpr std::string_view LanguageSetting(Language language) {
    return language == Language::Chinese ? "Chinese" : "English";
}

/// A text that exists in both languages; picked by the language flag at the moment it is shown.
struct BilingualText {
    std::string_view english;
    std::string_view chinese;

    constexpr std::string_view In(Language language) const {
        return language == Language::Chinese ? chinese : english;
    }
    /// True when @p text is either language's form: stored vocabulary is recognised in both.
    constexpr bool Matches(std::string_view text) const {
        return text == english || text == chinese;
    }
};

}  // namespace radioprog
