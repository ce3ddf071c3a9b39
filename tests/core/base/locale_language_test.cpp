#include "core/base/locale_language.h"

#include <gtest/gtest.h>

namespace radioprog {
namespace {

TEST(LocaleLanguage, TheFirstLocaleThatIsSetDecides) {
    struct Case {
        std::string_view lcAll, lcMessages, lang;
        Language expected;
    };
    const Case cases[] = {
        {"", "", "zh_CN.UTF-8", Language::Chinese},
        {"", "", "zh_TW.Big5", Language::Chinese},
        {"", "", "zh", Language::Chinese},
        {"", "", "en_US.UTF-8", Language::English},
        {"", "", "", Language::English},
        {"", "", "C.UTF-8", Language::English},
        // LC_ALL overrides everything, LC_MESSAGES overrides LANG.
        {"en_GB.UTF-8", "", "zh_CN.UTF-8", Language::English},
        {"zh_CN.UTF-8", "", "en_US.UTF-8", Language::Chinese},
        {"", "zh_CN.UTF-8", "en_US.UTF-8", Language::Chinese},
        {"", "de_DE.UTF-8", "zh_CN.UTF-8", Language::English},
        // Only the start counts: a locale that merely contains "zh" is not Chinese.
        {"", "", "en_ZH", Language::English},
        {"", "", "ZH_CN", Language::English},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LanguageOfLocale(c.lcAll, c.lcMessages, c.lang), c.expected)
            << c.lcAll << " | " << c.lcMessages << " | " << c.lang;
    }
}

}  // namespace
}  // namespace radioprog
