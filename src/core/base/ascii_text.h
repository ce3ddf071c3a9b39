#pragma once

#include <string_view>

namespace radioprog {

/// Folds A-Z only: the bytes of multibyte characters (UTF-8 or GBK) are never touched.
constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

/// Whether @p text begins with @p prefix when ASCII letters are compared without their case.
constexpr bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (AsciiLower(text[i]) != AsciiLower(prefix[i])) {
            return false;
        }
    }
    return true;
}

/// Whether @p a and @p b are the same text when ASCII letters are compared without their case.
constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithIgnoringAsciiCase(a, b);
}

/// @p text without the spaces, tabs and line breaks around it.
constexpr std::string_view TrimBlanks(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

/// Strict UTF-8: overlong forms, surrogates and code points above U+10FFFF make it invalid.
bool IsValidUtf8(std::string_view text);

}  // namespace radioprog
