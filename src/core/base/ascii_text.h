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

/// Strict UTF-8: overlong forms, surrogates and code points above U+10FFFF make it invalid.
bool IsValidUtf8(std::string_view text);

}  // namespace radioprog
