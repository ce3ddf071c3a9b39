#include "core/link/password_service.h"

#include <gtest/gtest.h>

#include "fake_line.h"
#include "test_radio.h"

namespace radioprog {
namespace {

using testing::FakeLine;
using testing::FakeOpener;
using testing::TestRadio;

TEST(UserPasswordText, StoreAndShow) {
    struct Case {
        const char* typed;
        std::array<std::uint8_t, 3> stored;
        const char* shown;
    };
    const Case cases[] = {
        {"", {0xFF, 0xFF, 0xFF}, ""},
        {"123", {0x12, 0x3F, 0xFF}, "123"},
        {"123456", {0x12, 0x34, 0x56}, "123456"},
        {"000000", {0x00, 0x00, 0x00}, "000000"},
    };
    for (const Case& c : cases) {
        RadioImage image;
        image.fill(0x77);
        ASSERT_TRUE(StoreUserPassword(image, c.typed));
        EXPECT_EQ(image[0x1B8], 0x50);
        EXPECT_EQ(image[0x1B9], 0xFF);
        EXPECT_EQ(image[0x1BA], 0x77);  // the Admin password is not touched
        EXPECT_EQ(image[0x1BC], 0x77);
        EXPECT_EQ(image[0x1BD], c.stored[0]);
        EXPECT_EQ(image[0x1BF], c.stored[2]);
        EXPECT_EQ(image[0x1C0], 0x77);
        EXPECT_EQ(ShowUserPassword(image), c.shown) << c.typed;
    }
    RadioImage image{};
    image[0x1BD] = 0xA0;
    EXPECT_EQ(ShowUserPassword(image), "");
    image[0x1BD] = 0x1A;
    EXPECT_EQ(ShowUserPassword(image), "1");
    EXPECT_FALSE(StoreUserPassword(image, "12a"));
    EXPECT_FALSE(StoreUserPassword(image, "1234567"));
    EXPECT_EQ(image[0x1B8], 0x00);
}

/// A radio on a fake line and the image a Password dialog works on.
struct PasswordBench {
    PasswordBench() {
        m_radio.memory.fill(0xFF);
        SetIdentity({0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0x12, 0x3F, 0xFF});
        m_line.peer = std::ref(m_radio);
        m_image.fill(0xEE);
    }
    void SetIdentity(const IdentityReply& identity) {
        std::copy(identity.begin(), identity.end(), m_radio.memory.begin() + image::kIdentity);
    }
    PasswordResult Query() {
        FakeOpener opener(m_line);
        return OnQuery(opener, m_session, m_image);
    }
    PasswordResult Change(const char* typed) {
        FakeOpener opener(m_line);
        return OnChange(opener, m_session, m_image, typed);
    }

    LinkSession m_session;
    TestRadio m_radio;
    FakeLine m_line;
    RadioImage m_image;
};

class PasswordTest : public ::testing::Test, public PasswordBench {};

TEST_F(PasswordTest, QueryCopiesTheIdentityRecordWithThisExactExchange) {
    const PasswordResult result = Query();
    EXPECT_EQ(result.result, PasswordExchange::Done);
    EXPECT_EQ(ShowUserPassword(m_image), "123");
    EXPECT_EQ(m_image[0x1C0], 0xEE);
    EXPECT_EQ(m_line.Log(),
              "open | P | S2 | P | W 02 | S2 | P | W 50 | S2 | P | W 52 | S2 | P | W 4F | S2 | P | "
              "W 47 | S2 | P | W 52 | S2 | P | W 41 | S2 | P | W 5D | P | R1:06 | "
              "W 02 | P | R8:50 FF FF FF FF 12 3F FF | W 06 | P | R1:06 | close");
}

TEST_F(PasswordTest, ChangeSendsTheIdentityHalfBlockAfterItsAck) {
    const PasswordResult result = Change("654321");
    EXPECT_EQ(result.result, PasswordExchange::ModifySuccess);
    EXPECT_EQ(m_radio.memory[0x1BD], 0x65);
    EXPECT_EQ(m_radio.memory[0x1BF], 0x21);
    const std::string tail = m_line.Log().substr(m_line.Log().find("W 06"));
    EXPECT_EQ(tail, "W 06 | P | R1:06 | W 57 01 B8 08 50 FF EE EE EE 65 43 21 | P | R1:06 | close");
}

TEST_F(PasswordTest, ChangeRefusesATextThatIsNotAPasswordBeforeOpeningThePort) {
    for (const char* typed : {"12a", "1234567", " 12"}) {
        SCOPED_TRACE(typed);
        const RadioImage before = m_image;
        const PasswordResult result = Change(typed);
        EXPECT_EQ(result.result, PasswordExchange::InvalidPassword);
        EXPECT_EQ(m_line.Log(), "");
        EXPECT_EQ(m_image, before);
    }
    EXPECT_EQ(PasswordMessage(PasswordExchange::InvalidPassword, Language::Chinese),
              "用户密码最多为六位数字。");
}

TEST_F(PasswordTest, FailuresAreReportedAndLeaveTheImageAlone) {
    struct Case {
        const char* name;
        std::function<void(PasswordBench&)> arrange;
        PasswordExchange expected;
    };
    const Case cases[] = {
        {"port", [](PasswordBench& t) { t.m_line.refuseOpen = true; },
         PasswordExchange::CouldNotOpenPort},
        {"no answer", [](PasswordBench& t) { t.m_radio.handshakeAnswer.reset(); },
         PasswordExchange::NoAck},
        {"answer not 06", [](PasswordBench& t) { t.m_radio.handshakeAnswer = 0x15; },
         PasswordExchange::NoAck},
        {"no identity", [](PasswordBench& t) { t.m_radio.answerIdentity = false; },
         PasswordExchange::NoAck},
        // Noise on a radio without passwords is no identity: no password is shown from it.
        {"no marker",
         [](PasswordBench& t) {
             t.SetIdentity({0x06, 0x50, 0xFF, 0x12, 0x34, 0x56, 0xFF, 0xFF});
         },
         PasswordExchange::NoAck},
        {"admin password",
         [](PasswordBench& t) {
             t.SetIdentity({0x50, 0xFF, 0x12, 0x34, 0x56, 0xFF, 0xFF, 0xFF});
         },
         PasswordExchange::PasswordError},
        {"standard identity", [](PasswordBench& t) { t.SetIdentity(wire::kStandardIdentity); },
         PasswordExchange::PasswordError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PasswordBench fresh;
        c.arrange(fresh);
        EXPECT_EQ(fresh.Query().result, c.expected);
        EXPECT_EQ(fresh.Change("1").result, c.expected);
        EXPECT_TRUE(std::all_of(fresh.m_image.begin(), fresh.m_image.end(),
                                [](std::uint8_t b) { return b == 0xEE; }));
    }
}

TEST_F(PasswordTest, TheRightAdminPasswordOpensTheRadio) {
    SetIdentity({0x50, 0xFF, 0x12, 0x34, 0x56, 0xFF, 0xFF, 0xFF});
    m_session.loginPassword = {0x12, 0x34, 0x56};
    EXPECT_EQ(Query().result, PasswordExchange::Done);
    SetIdentity(wire::kStandardIdentity);
    m_session.loginPassword = {0x31, 0x38, 0x34};
    EXPECT_EQ(Query().result, PasswordExchange::Done);
}

TEST_F(PasswordTest, ChangeKeepsTheTypedPasswordInTheImageWhenTheLastAnswerIsMissing) {
    m_radio.halfBlocksBeforeSilence = 0;
    EXPECT_EQ(Change("42").result, PasswordExchange::NoAck);
    EXPECT_EQ(ShowUserPassword(m_image), "42");
}

TEST(PasswordMessages, BothLanguages) {
    EXPECT_EQ(PasswordMessage(PasswordExchange::CouldNotOpenPort, Language::English),
              "Cound not open the port");
    EXPECT_EQ(PasswordMessage(PasswordExchange::NoAck, Language::Chinese), "未收到响应");
    EXPECT_EQ(PasswordMessage(PasswordExchange::ModifySuccess, Language::Chinese), "密码修改成功");
    EXPECT_EQ(PasswordMessage(PasswordExchange::PasswordError, Language::English),
              "Password error");
}

}  // namespace
}  // namespace radioprog
