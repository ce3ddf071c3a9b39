#include "core/link/link_messages.h"

#include <gtest/gtest.h>

namespace radioprog {
namespace {

TEST(LinkMessages, EveryMessageHasItsWordsInBothLanguages) {
    const struct {
        LinkMessage message;
        const char* english;
        const char* chinese;
    } cases[] = {
        {LinkMessage::CouldNotOpenPort, nullptr, nullptr},
        {LinkMessage::PasswordError, "Password Error", "密码不对"},
        {LinkMessage::ProgramInterrupt, nullptr, nullptr},
        {LinkMessage::TransferIncomplete, "The transfer did not complete: blocks done ",
         "传输未完成：已完成数据块 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.message));
        const std::string english = LinkMessageText(c.message, Language::English);
        const std::string chinese = LinkMessageText(c.message, Language::Chinese);
        EXPECT_FALSE(english.empty());
        EXPECT_FALSE(chinese.empty());
        EXPECT_NE(english, chinese);
        if (c.english) {
            EXPECT_EQ(english, c.english);
        }
        if (c.chinese) {
            EXPECT_EQ(chinese, c.chinese);
        }
    }
    // A refused entry says the grid's own message, nothing before it.
    EXPECT_EQ(LinkMessageText(LinkMessage::RefusedEntry, Language::Chinese), "");
    EXPECT_EQ(BlocksDoneDetail(43), "43 of 62");
}

}  // namespace
}  // namespace radioprog
