#include "core/doc/language_choice.h"

#include <gtest/gtest.h>

namespace radioprog {
namespace {

TEST(LanguageSetting, OnlyTheExactNameChineseStartsChinese) {
    EXPECT_EQ(LanguageOfSetting("Chinese"), Language::Chinese);
    for (std::string_view other : {"chinese", "CHINESE", "Chinese ", " Chinese", "English", ""}) {
        EXPECT_EQ(LanguageOfSetting(other), Language::English) << other;
    }
    // What the dialog stores starts the language it stands for.
    for (Language language : {Language::English, Language::Chinese}) {
        EXPECT_EQ(LanguageOfSetting(LanguageSetting(language)), language);
    }
}

TEST(LanguageOk, StoresTheOtherLanguageAndSetsTheMarkOnlyForAChange) {
    struct Case {
        const char* name;
        Language running;
        std::string_view stored;
        int selected;
        bool changedBefore;
        std::optional<std::string> store;
        bool changedAfter;
    };
    const Case cases[] = {
        {"English to Chinese", Language::English, "English", 1, false, "Chinese", true},
        {"Chinese to English", Language::Chinese, "Chinese", 0, false, "English", true},
        {"same language", Language::English, "English", 0, false, std::nullopt, false},
        {"same language, Chinese", Language::Chinese, "Chinese", 1, false, std::nullopt, false},
        // A name that runs English is not rewritten when English is kept.
        {"odd name kept", Language::English, "chinese", 0, false, std::nullopt, false},
        {"odd name changed", Language::English, "chinese", 1, false, "Chinese", true},
        {"nothing selected", Language::English, "English", -1, false, std::nullopt, false},
        {"out of range", Language::English, "English", 2, false, std::nullopt, false},
        // The mark is never cleared.
        {"mark kept", Language::English, "English", 0, true, std::nullopt, true},
        {"change again", Language::English, "Chinese", 1, true, "Chinese", true},
        // Back to the running language after a stored change: the next start follows it.
        {"back to English", Language::English, "Chinese", 0, true, "English", true},
        {"back to Chinese", Language::Chinese, "English", 1, true, "Chinese", true},
    };
    for (const Case& c : cases) {
        const LanguageOk ok = DecideLanguageOk(c.running, c.stored, c.selected, c.changedBefore);
        EXPECT_EQ(ok.store, c.store) << c.name;
        EXPECT_EQ(ok.changed, c.changedAfter) << c.name;
    }
}

TEST(LanguageDialog, OpensWithTheLanguageTheNextStartWillUse) {
    EXPECT_EQ(InitialLanguageSelection("English"), 0);
    EXPECT_EQ(InitialLanguageSelection("Chinese"), 1);
    EXPECT_EQ(InitialLanguageSelection("chinese"), 0);
    EXPECT_EQ(InitialLanguageSelection(""), 0);
}

TEST(ShowLang, TheLeadingNumberDecides) {
    struct Case {
        std::string_view value;
        bool shown;
    };
    for (const Case& c :
         {Case{"", false}, Case{"0", false}, Case{"x", false}, Case{"x1", false}, Case{" 0", false},
          Case{"00", false}, Case{"1", true}, Case{"2", true}, Case{" 1", true}, Case{"1x", true},
          Case{"-1", true}, Case{"99999999999", true}}) {
        EXPECT_EQ(ShowsLanguageCommand(c.value), c.shown) << "\"" << c.value << "\"";
    }
}

}  // namespace
}  // namespace radioprog
