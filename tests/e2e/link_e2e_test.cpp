// The real serial port against the simulated radio on a pseudo-terminal: the engines, the
// termios line, the radio's answer delays and faults, all for real.
#include <gtest/gtest.h>

#include "../core/link/test_radio.h"
#include "../support/temp_dir.h"
#include "core/doc/app_context.h"
#include "core/doc/port_map.h"
#include "core/link/block_transfer.h"
#include "core/link/password_service.h"
#include "core/link/serial_port.h"
#include "core/link/serial_port_opener.h"
#include "core/sim/pty_radio.h"
#include "core/sim/radio_simulator.h"

namespace radioprog {
namespace {

using Kind = TransferOutcome::Kind;

RadioImage Pattern(std::uint8_t seed) {
    RadioImage image;
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + seed);
    }
    return image;
}

class LinkEndToEnd : public ::testing::Test {
protected:
    void StartRadio(const SimFaults& faults = {}, const PackedPassword admin = {0xFF, 0xFF, 0xFF},
                    const PackedPassword user = {0xFF, 0xFF, 0xFF}) {
        RadioSimulator simulator(Pattern(5), faults);
        simulator.SetAdminPassword(admin);
        simulator.SetUserPassword(user);
        m_radioMemory = simulator.memory();
        PtyRadio::Started started = PtyRadio::Start(simulator, {});
        ASSERT_TRUE(started.radio) << started.error;
        m_radio = std::move(started.radio);
        m_context.link.portName = m_radio->devicePath();
    }
    TransferOutcome Transfer(TransferDirection direction) {
        SerialPortOpener opener(StoredPortBinding(m_context.userStore));
        m_observer = std::make_unique<testing::TestObserver>(m_pumpLog);
        return TransferImage(direction, m_image, opener, m_context.link, *m_observer);
    }

    testing::TempDir m_dir;
    AppContext m_context{m_dir / "user.ini"};
    std::unique_ptr<PtyRadio> m_radio;
    RadioImage m_radioMemory{};
    RadioImage m_image = Pattern(77);
    testing::FakeLine m_pumpLog;  // only collects the observer's pumps
    std::unique_ptr<testing::TestObserver> m_observer;
};

TEST_F(LinkEndToEnd, AFullReadGivesTheRadiosMemory) {
    StartRadio();
    const TransferOutcome outcome = Transfer(TransferDirection::Read);
    ASSERT_EQ(outcome.kind, Kind::Complete) << ::testing::PrintToString(m_observer->messages);
    EXPECT_TRUE(std::equal(m_image.begin(), m_image.begin() + 0x3E0, m_radioMemory.begin()));
    EXPECT_EQ(m_radio->stats().halfBlocksRead, 124u);
}

TEST_F(LinkEndToEnd, WritesAsAdminAndAsUser) {
    for (const int role : {1, 0}) {
        SCOPED_TRACE(role);
        StartRadio();
        m_context.link.role = RoleFromStoredValue(role);
        ASSERT_EQ(Transfer(TransferDirection::Write).kind, Kind::Complete);
        const RadioImage written = m_radio->memory();
        for (std::size_t at = 0; at < 0x3E0; ++at) {
            const bool identity = at >= image::kIdentity && at < image::kIdentity + 8;
            ASSERT_EQ(written[at], role == 0 && identity ? m_radioMemory[at] : m_image[at]) << at;
        }
        EXPECT_EQ(m_radio->stats().halfBlocksWritten, role == 0 ? 123u : 124u);
    }
}

TEST_F(LinkEndToEnd, PasswordQueryAndChange) {
    StartRadio({}, {0x12, 0x34, 0x56}, {0x12, 0x3F, 0xFF});
    SerialPortOpener opener(StoredPortBinding(m_context.userStore));
    m_context.link.loginPassword = {0x12, 0x34, 0xFF};
    EXPECT_EQ(OnQuery(opener, m_context.link, m_image).result, PasswordExchange::PasswordError);
    m_context.link.loginPassword = {0x12, 0x34, 0x56};
    ASSERT_EQ(OnQuery(opener, m_context.link, m_image).result, PasswordExchange::Done);
    EXPECT_EQ(ShowUserPassword(m_image), "123");
    ASSERT_EQ(OnChange(opener, m_context.link, m_image, "9876").result,
              PasswordExchange::ModifySuccess);
    EXPECT_EQ(m_radio->memory()[image::kIdentityUserPassword], 0x98);
    EXPECT_EQ(m_radio->memory()[image::kIdentityUserPassword + 1], 0x76);
    EXPECT_EQ(m_radio->memory()[image::kIdentityAdminPassword], 0x12);
}

TEST_F(LinkEndToEnd, APortInUseCannotBeOpenedForAnotherExchange) {
    StartRadio();
    std::string error;
    auto holder = SerialPort::Open(m_radio->devicePath(), kTransferProfile, &error);
    ASSERT_TRUE(holder) << error;
    const TransferOutcome outcome = Transfer(TransferDirection::Read);
    EXPECT_EQ(outcome.connectEnd, ConnectEnd::PortError);
    ASSERT_FALSE(m_observer->messages.empty());
    EXPECT_NE(m_observer->messages[0].find("in use"), std::string::npos) << m_observer->messages[0];
    holder.reset();
    EXPECT_EQ(Transfer(TransferDirection::Read).kind, Kind::Complete);
}

TEST_F(LinkEndToEnd, FaultsEndTheWayTheUserIsTold) {
    struct Case {
        const char* name;
        SimFaults faults;
        TransferDirection direction;
        Kind kind;
        int blocksDone;
    };
    SimFaults silent;
    silent.silent = true;
    SimFaults stop;
    stop.stopAfter = 21;
    SimFaults shortReply;
    shortReply.shortReadReply = true;
    SimFaults slow;
    slow.slow = true;
    SimFaults hangUp;
    hangUp.hangUpAfter = 30;
    const Case cases[] = {
        {"silent", silent, TransferDirection::Read, Kind::NotConnected, 0},
        {"stop", stop, TransferDirection::Write, Kind::Incomplete, 10},
        {"short reply", shortReply, TransferDirection::Read, Kind::Incomplete, 0},
        {"slow", slow, TransferDirection::Read, Kind::NotConnected, 0},
        {"hang up", hangUp, TransferDirection::Read, Kind::Incomplete, 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartRadio(c.faults);
        const TransferOutcome outcome = Transfer(c.direction);
        EXPECT_EQ(outcome.kind, c.kind);
        EXPECT_EQ(outcome.blocksDone, c.blocksDone);
        m_radio.reset();
    }
}

TEST_F(LinkEndToEnd, AWrongPasswordIsReportedAndTheLoginAskedAgain) {
    StartRadio({}, {0x12, 0x34, 0x56});
    m_context.link.role = AccessRole::Admin;
    m_context.link.loginPassword = {0x11, 0x11, 0x11};
    const TransferOutcome outcome = Transfer(TransferDirection::Read);
    EXPECT_EQ(outcome.connectEnd, ConnectEnd::PasswordRefused);
    EXPECT_EQ(m_observer->messages, (std::vector<std::string>{"PasswordError", "ReLogin"}));
}

}  // namespace
}  // namespace radioprog
