#include "core/link/connection.h"

#include <gtest/gtest.h>

#include "fake_line.h"
#include "test_radio.h"

namespace radioprog {
namespace {

using testing::FakeLine;
using testing::FakeOpener;
using testing::TestObserver;
using testing::TestRadio;

IdentityReply Identity(std::array<std::uint8_t, 3> admin, std::array<std::uint8_t, 3> user) {
    return {0x50, 0xFF, admin[0], admin[1], admin[2], user[0], user[1], user[2]};
}

TEST(CheckIdentity, ComparesTheRolesPasswordUnlessItIsUnsetOrTheIdentityIsStandard) {
    const PackedPassword six{0x12, 0x34, 0x56};
    const PackedPassword firstFour{0x12, 0x34, 0xFF};
    struct Case {
        IdentityReply reply;
        int role;
        PackedPassword login;
        bool accepted;
    };
    const Case cases[] = {
        {wire::kStandardIdentity, 1, six, true},
        {wire::kStandardIdentity, 0, {0, 0, 0}, true},
        {Identity({0xFF, 0xFF, 0xFF}, {0x12, 0x34, 0x56}), 1, firstFour, true},
        {Identity({0xA0, 0x00, 0x00}, {0x12, 0x34, 0x56}), 1, firstFour, true},
        {Identity({0x12, 0x34, 0x56}, {0xFF, 0xFF, 0xFF}), 1, six, true},
        {Identity({0x12, 0x34, 0x56}, {0xFF, 0xFF, 0xFF}), 1, firstFour, false},
        {Identity({0x12, 0x34, 0x56}, {0xFF, 0xFF, 0xFF}), 0, firstFour, true},  // User: 5-7
        {Identity({0xFF, 0xFF, 0xFF}, {0x12, 0x34, 0x56}), 0, six, true},
        {Identity({0xFF, 0xFF, 0xFF}, {0x12, 0x34, 0x56}), 0, firstFour, false},
        {Identity({0x99, 0x00, 0x00}, {0xFF, 0xFF, 0xFF}),
         7,
         {0x99, 0x00, 0x00},
         true},  // 7 is Admin
        {IdentityReply{}, 1, {0, 0, 0}, true},
        {IdentityReply{}, 1, six, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckIdentity(c.reply, RoleFromStoredValue(c.role), c.login), c.accepted)
            << FakeLine::Hex(c.reply) << " role " << c.role;
    }
}

TEST(SendHandshake, OneBytePerWriteEachAfterAPauseAndAPurge) {
    FakeLine line;
    {
        testing::FakePort port(line, kTransferProfile);
        SendHandshake(port);
    }
    EXPECT_EQ(line.Log(),
              "P | S2 | P | W 02 | S2 | P | W 50 | S2 | P | W 52 | S2 | P | W 4F | S2 | P | W 47 | "
              "S2 | P | W 52 | S2 | P | W 41 | S2 | P | W 5D | close");
}

class ConnectTest : public ::testing::Test {
protected:
    ConnectTest() {
        m_radio.memory.fill(0xFF);
        SetIdentity(wire::kStandardIdentity);
        m_line.peer = std::ref(m_radio);
        m_session.role = AccessRole::Admin;
        m_session.loginPassword = {0xFF, 0xFF, 0xFF};
    }
    void SetIdentity(const IdentityReply& identity) {
        std::copy(identity.begin(), identity.end(), m_radio.memory.begin() + image::kIdentity);
    }
    Connection Connect() {
        FakeOpener opener(m_line);
        return ConnectForTransfer(opener, m_session, m_observer);
    }

    LinkSession m_session;
    TestRadio m_radio;
    FakeLine m_line;
    TestObserver m_observer{m_line};
};

TEST_F(ConnectTest, ASuccessfulConnectionSendsExactlyThisSequence) {
    m_session.portName = "com3";
    const Connection connection = Connect();
    ASSERT_TRUE(connection.port);
    EXPECT_EQ(m_line.lastPortName, "com3");
    EXPECT_EQ(m_line.Log(),
              "open | pump | S1 | pump | S1 | pump | S1 | pump | S1 | pump | S1 | pump | S1 | "
              "P | S2 | P | W 02 | S2 | P | W 50 | S2 | P | W 52 | S2 | P | W 4F | S2 | P | W 47 | "
              "S2 | P | W 52 | S2 | P | W 41 | S2 | P | W 5D | R1:06 | "
              "S1 | P | W 02 | S1 | R8:50 36 31 38 34 32 F8 FF | "
              "P | W 06 | P | S1 | R1:06");
    EXPECT_TRUE(m_observer.messages.empty());
}

TEST_F(ConnectTest, CancelInTheFirstPumpClosesThePortBeforeAnythingIsSent) {
    m_observer.cancelAfterPumps = 1;
    const Connection connection = Connect();
    EXPECT_FALSE(connection.port);
    EXPECT_EQ(connection.end, ConnectEnd::Cancelled);
    EXPECT_EQ(m_line.Log(), "open | pump | close");
}

TEST_F(ConnectTest, APortThatCannotBeOpenedIsReportedWithItsCause) {
    m_line.refuseOpen = true;
    const Connection connection = Connect();
    EXPECT_EQ(connection.end, ConnectEnd::PortError);
    EXPECT_EQ(m_observer.messages,
              std::vector<std::string>{"CouldNotOpenPort: COM1 is in use by another program"});
    EXPECT_TRUE(m_line.log.empty());
}

TEST_F(ConnectTest, ASilentRadioIsACommunicationErrorNeverAPasswordError) {
    for (const PackedPassword login : {PackedPassword{0, 0, 0}, PackedPassword{0x12, 0x34, 0x56}}) {
        m_session.loginPassword = login;
        m_radio.handshakeAnswer.reset();
        m_radio.answerIdentity = false;
        m_observer.messages.clear();
        m_observer.retryAnswers = {true};  // Retry once, then Cancel
        const Connection connection = Connect();
        EXPECT_EQ(connection.end, ConnectEnd::CommunicationError);
        EXPECT_EQ(m_observer.messages,
                  (std::vector<std::string>{"CommunicationError", "CommunicationError"}));
    }
}

TEST_F(ConnectTest, AnIdentityWithoutItsMarkerIsNoAnswerNeverAPasswordError) {
    // Noise in place of the identity of a radio without passwords: the password bytes look set.
    SetIdentity({0x4F, 0x36, 0x12, 0x34, 0x56, 0x12, 0x34, 0x56});
    m_observer.retryAnswers = {true};
    EXPECT_EQ(Connect().end, ConnectEnd::CommunicationError);
    EXPECT_EQ(m_observer.messages,
              (std::vector<std::string>{"CommunicationError", "CommunicationError"}));
    EXPECT_EQ(m_line.Count("W 06"), 0u);
}

TEST_F(ConnectTest, APatientConnectionRetriesQuietlyForItsTimeThenAsks) {
    m_radio.handshakeAnswer.reset();
    m_radio.answerIdentity = false;
    FakeOpener opener(m_line);
    const Connection connection =
        ConnectForTransfer(opener, m_session, m_observer, Milliseconds(10000));
    EXPECT_EQ(connection.end, ConnectEnd::CommunicationError);
    EXPECT_EQ(m_observer.messages, std::vector<std::string>{"CommunicationError"});
    EXPECT_GE(m_line.now, Milliseconds(10000));
    EXPECT_LT(m_line.now, Milliseconds(10500));
    EXPECT_GT(m_line.Count("W 5D"), 20u);

    // A radio that comes back within the patience connects without a question.
    m_radio.handshakeAnswer = wire::kAck;
    m_radio.answerIdentity = true;
    m_line = FakeLine();
    m_line.peer = [this, deafUntil = Milliseconds(3000)](std::uint8_t byte) {
        return m_line.now < deafUntil ? std::vector<std::uint8_t>{} : m_radio(byte);
    };
    m_observer.messages.clear();
    EXPECT_TRUE(ConnectForTransfer(opener, m_session, m_observer, Milliseconds(10000)).port);
    EXPECT_TRUE(m_observer.messages.empty());
}

TEST_F(ConnectTest, APasswordErrorAsksForTheLoginAgainAndRetriesWithIt) {
    SetIdentity(Identity({0x12, 0x34, 0x56}, {0xFF, 0xFF, 0xFF}));
    m_session.loginPassword = {0x12, 0x34, 0xFF};
    m_observer.reLogins = {PackedPassword{0x11, 0x11, 0x11}, PackedPassword{0x12, 0x34, 0x56}};
    const Connection connection = Connect();
    ASSERT_TRUE(connection.port);
    EXPECT_EQ(m_session.loginPassword, (PackedPassword{0x12, 0x34, 0x56}));
    EXPECT_EQ(m_observer.messages,
              (std::vector<std::string>{"PasswordError", "ReLogin", "PasswordError", "ReLogin"}));
    EXPECT_EQ(m_line.Count("W 5D"), 3u);
    EXPECT_EQ(m_observer.pumps, 18);
}

TEST_F(ConnectTest, CancellingTheReLoginEndsTheConnection) {
    SetIdentity(Identity({0x12, 0x34, 0x56}, {0xFF, 0xFF, 0xFF}));
    const Connection connection = Connect();
    EXPECT_EQ(connection.end, ConnectEnd::PasswordRefused);
    EXPECT_EQ(m_observer.messages, (std::vector<std::string>{"PasswordError", "ReLogin"}));
    EXPECT_EQ(m_line.log.back(), "close");
}

TEST_F(ConnectTest, FailingHandshakeReadsRetryQuietlyFourteenTimesThenAsk) {
    m_line.failingReads = 14;
    EXPECT_TRUE(Connect().port);
    EXPECT_TRUE(m_observer.messages.empty());
    EXPECT_EQ(m_line.Count("R1:fail"), 14u);

    m_line.failingReads = 15;
    const Connection connection = Connect();
    EXPECT_EQ(connection.end, ConnectEnd::CommunicationError);
    EXPECT_EQ(m_observer.messages, std::vector<std::string>{"CommunicationError"});
}

TEST_F(ConnectTest, AWrongAckAsksUnlessFiveHandshakeReadsFailedThenItInterrupts) {
    m_radio.connectAck = 0x15;
    EXPECT_EQ(Connect().end, ConnectEnd::CommunicationError);
    EXPECT_EQ(m_observer.messages, std::vector<std::string>{"CommunicationError"});

    m_observer.messages.clear();
    m_line.failingReads = 5;
    EXPECT_EQ(Connect().end, ConnectEnd::ProgramInterrupt);
    EXPECT_EQ(m_observer.messages, std::vector<std::string>{"ProgramInterrupt"});
}

TEST_F(ConnectTest, RetryStartsTheAttemptCounterAgain) {
    // 15 failures ask; after Retry, 5 more failures and a wrong ACK: the counter is 6 and the
    // radio is given up on, which it would not be had Retry not started again at 1.
    m_line.failingReads = 20;
    m_radio.connectAck = 0x15;
    m_observer.retryAnswers = {true};
    EXPECT_EQ(Connect().end, ConnectEnd::ProgramInterrupt);
    EXPECT_EQ(m_observer.messages,
              (std::vector<std::string>{"CommunicationError", "ProgramInterrupt"}));
}

}  // namespace
}  // namespace radioprog
