#include "gui/shell/navigation_tree.h"

#include <gtest/gtest.h>

namespace radioprog {
namespace {

TEST(NavigationTree, EachLabelNamesItsEntryOnlyInTheLanguageOfTheRun) {
    struct Case {
        const char* english;
        const char* chinese;
        NavigationEntry entry;
    };
    const Case cases[] = {
        {"Product Information", "类型设置", NavigationEntry::ProductInformation},
        {"Channel Information", "信道信息", NavigationEntry::ChannelInformation},
        {"Optional Features", "可选功能", NavigationEntry::OptionalFeatures},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NavigationLabel(c.entry).english, c.english);
        EXPECT_EQ(NavigationLabel(c.entry).chinese, c.chinese);
        EXPECT_EQ(NavigationEntryFor(c.english, Language::English), c.entry) << c.english;
        EXPECT_EQ(NavigationEntryFor(c.chinese, Language::Chinese), c.entry) << c.chinese;
        EXPECT_FALSE(NavigationEntryFor(c.chinese, Language::English)) << c.chinese;
        EXPECT_FALSE(NavigationEntryFor(c.english, Language::Chinese)) << c.english;
    }
}

TEST(NavigationTree, OnlyTheExactTextActs) {
    for (const char* text : {"", "Radio Co", "channel information", "Channel Information ",
                             " Optional Features", "Product"}) {
        EXPECT_FALSE(NavigationEntryFor(text, Language::English)) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace radioprog
