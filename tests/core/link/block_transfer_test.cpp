#include "core/link/block_transfer.h"

#include <gtest/gtest.h>

#include <map>

#include "core/doc/radio_transfer.h"
#include "core/radio/channel_codec.h"
#include "core/radio/text_grid.h"
#include "fake_line.h"
#include "test_radio.h"

namespace radioprog {
namespace {

using testing::FakeLine;
using testing::FakeOpener;
using testing::TestObserver;
using testing::TestRadio;
using Kind = TransferOutcome::Kind;

RadioImage Pattern(std::uint8_t seed) {
    RadioImage image;
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 13 + seed);
    }
    return image;
}

bool SameRange(const RadioImage& a, const RadioImage& b, std::size_t from, std::size_t to) {
    return std::equal(a.begin() + from, a.begin() + to, b.begin() + from);
}

class TransferTest : public ::testing::Test {
protected:
    TransferTest() {
        m_radio.memory = Pattern(1);
        std::copy(wire::kStandardIdentity.begin(), wire::kStandardIdentity.end(),
                  m_radio.memory.begin() + image::kIdentity);
        m_line.peer = std::ref(m_radio);
        m_session.role = AccessRole::Admin;
    }
    TransferOutcome Transfer(TransferDirection direction) {
        FakeOpener opener(m_line);
        return TransferImage(direction, m_image, opener, m_session, m_observer);
    }
    std::string LogFrom(const std::string& first, std::size_t tokens) const {
        const auto at = std::find(m_line.log.begin(), m_line.log.end(), first);
        std::string joined;
        for (auto it = at; it != m_line.log.end() && tokens-- > 0; ++it) {
            joined += (joined.empty() ? "" : " | ") + *it;
        }
        return joined;
    }

    LinkSession m_session;
    TestRadio m_radio;
    FakeLine m_line;
    TestObserver m_observer{m_line};
    RadioImage m_image = Pattern(99);
};

TEST_F(TransferTest, ACompleteReadReplacesBlocksZeroToSixtyOneOnly) {
    const RadioImage before = m_image;
    const TransferOutcome outcome = Transfer(TransferDirection::Read);
    EXPECT_EQ(outcome.kind, Kind::Complete);
    EXPECT_EQ(outcome.blocksDone, 62);
    EXPECT_TRUE(SameRange(m_image, m_radio.memory, 0, 0x3E0));
    EXPECT_TRUE(SameRange(m_image, before, 0x3E0, 0x400));
    ASSERT_EQ(m_observer.progress.size(), 62u);
    EXPECT_EQ(m_observer.progress.back(), 62);
    EXPECT_EQ(m_observer.pumps, 6 + 62 * 5);
    EXPECT_EQ(m_line.Count("W 52 03 D8 08"), 1u);
    EXPECT_EQ(m_line.Count("W 52 03 E0 08"), 0u);
    EXPECT_EQ(m_line.log.back(), "close");
}

TEST_F(TransferTest, OneReadBlockIsTwoCommandsEachAcknowledged) {
    Transfer(TransferDirection::Read);
    EXPECT_EQ(LogFrom("W 52 00 10 08", 19),
              "W 52 00 10 08 | R12:52 00 10 08 " +
                  FakeLine::Hex(std::span(m_radio.memory).subspan(16, 8)).substr(1) +
                  " | S1 | P | W 06 | R1:06 | S1 | P | W 52 00 18 08 | R12:52 00 18 08 " +
                  FakeLine::Hex(std::span(m_radio.memory).subspan(24, 8)).substr(1) +
                  " | S1 | P | W 06 | R1:06 | pump | pump | pump | pump | pump");
}

TEST_F(TransferTest, AdminWritesEveryHalfBlockUserKeepsTheRadiosIdentity) {
    struct Case {
        int role;
        std::size_t halfBlocks;
        int pumps;
    };
    for (const Case c : {Case{1, 124, 6 + 62 * 5}, Case{0, 123, 6 + 61 * 5}}) {
        SCOPED_TRACE(c.role);
        TransferTest::SetUp();
        m_radio.memory = Pattern(1);
        std::copy(wire::kStandardIdentity.begin(), wire::kStandardIdentity.end(),
                  m_radio.memory.begin() + image::kIdentity);
        const RadioImage radioBefore = m_radio.memory;
        m_radio.written.clear();
        m_observer.pumps = 0;
        m_observer.progress.clear();
        m_session.role = RoleFromStoredValue(c.role);
        EXPECT_EQ(Transfer(TransferDirection::Write).kind, Kind::Complete);
        EXPECT_EQ(m_radio.written.size(), c.halfBlocks);
        EXPECT_EQ(m_observer.pumps, c.pumps);
        EXPECT_EQ(m_observer.progress.size(), 62u);
        EXPECT_TRUE(SameRange(m_radio.memory, m_image, 0, image::kIdentity));
        EXPECT_TRUE(SameRange(m_radio.memory, m_image, image::kIdentity + 8, 0x3E0));
        const RadioImage& identitySource = c.role == 0 ? radioBefore : m_image;
        EXPECT_TRUE(
            SameRange(m_radio.memory, identitySource, image::kIdentity, image::kIdentity + 8));
    }
}

TEST_F(TransferTest, OneWriteBlockWaitsForEachHalfsAck) {
    Transfer(TransferDirection::Write);
    EXPECT_EQ(LogFrom("W 57 00 00 08", 10),
              "W 57 00 00 08 | W" + FakeLine::Hex(std::span(m_image).subspan(0, 8)) +
                  " | R1:06 | P | W 57 00 08 08 | S1 | W" +
                  FakeLine::Hex(std::span(m_image).subspan(8, 8)) + " | R1:06 | pump | pump");
}

TEST_F(TransferTest, AFailingBlockStopsTheTransferAndReportsHowFarItGot) {
    struct Case {
        TransferDirection direction;
        std::size_t replySize;
        int halfBlocks;
        int blocksDone;
    };
    const Case cases[] = {
        {TransferDirection::Read, 11, -1, 0},
        {TransferDirection::Read, 12, 11, 5},
        {TransferDirection::Write, 12, 20, 10},
        {TransferDirection::Write, 12, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.halfBlocks);
        const RadioImage before = m_image;
        m_radio.readReplySize = c.replySize;
        m_radio.halfBlocksBeforeSilence = c.halfBlocks;
        m_observer.messages.clear();
        const TransferOutcome outcome = Transfer(c.direction);
        EXPECT_EQ(outcome.kind, Kind::Incomplete);
        EXPECT_EQ(outcome.blocksDone, c.blocksDone);
        EXPECT_EQ(m_observer.messages,
                  std::vector<std::string>{"TransferIncomplete: " + std::to_string(c.blocksDone) +
                                           " of 62"});
        // A read that stopped lands nothing: no mix of the radio's bytes and the old ones.
        EXPECT_EQ(m_image, before);
    }
}

TEST_F(TransferTest, AReplyShiftedByStrayBytesIsAskedForOnceMore) {
    const std::string data = FakeLine::Hex(std::span(m_radio.memory).subspan(0x20, 8));
    m_radio.strayBefore[0x20] = {{0xAA}};
    ASSERT_EQ(Transfer(TransferDirection::Read).kind, Kind::Complete);
    EXPECT_TRUE(SameRange(m_image, m_radio.memory, 0, 0x3E0));
    // The shifted reply, its tail let in and dropped, the usual ACK, the same command again.
    EXPECT_EQ(LogFrom("W 52 00 20 08", 15),
              "W 52 00 20 08 | R12:AA 52 00 20 08" + data.substr(0, 3 * 7) +
                  " | S5 | S1 | P | W 06 | R1:06 | S1 | P | W 52 00 20 08 | R12:52 00 20 08" +
                  data + " | S1 | P | W 06 | R1:06");
}

TEST_F(TransferTest, StrayBytesNeverShiftTheDataOfAnEchoingRadioUndetected) {
    struct Case {
        const char* name;
        bool echo;
        std::map<std::size_t, std::deque<std::vector<std::uint8_t>>> stray;
        Kind kind;
        int blocksDone;
        std::size_t asksOf0x20;
    };
    const Case cases[] = {
        {"clean", true, {}, Kind::Complete, 62, 1},
        {"first reply late", true, {{0x00, {{0x11, 0x22}}}}, Kind::Complete, 62, 1},
        {"three stray bytes", true, {{0x20, {{1, 2, 3}}}}, Kind::Complete, 62, 2},
        {"bad twice", true, {{0x20, {{0xAA}, {0xBB}}}}, Kind::Incomplete, 2, 2},
        {"second half bad twice", true, {{0x3D8, {{0}, {0}}}}, Kind::Incomplete, 61, 1},
        // Bytes 0-3 of a radio that does not repeat the command are never looked at.
        {"no echo", false, {}, Kind::Complete, 62, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_line = FakeLine();
        m_line.peer = std::ref(m_radio);
        m_radio.echoCommand = c.echo;
        m_radio.strayBefore = c.stray;
        m_observer.messages.clear();
        const RadioImage before = m_image;
        const TransferOutcome outcome = Transfer(TransferDirection::Read);
        EXPECT_EQ(outcome.kind, c.kind);
        EXPECT_EQ(outcome.blocksDone, c.blocksDone);
        EXPECT_EQ(m_line.Count("W 52 00 20 08"), c.asksOf0x20);
        if (c.kind == Kind::Complete) {
            EXPECT_TRUE(SameRange(m_image, m_radio.memory, 0, 0x3E0));
        } else {
            EXPECT_EQ(m_image, before);
        }
        m_image = before;
    }
}

TEST_F(TransferTest, CancelBetweenBlocksEndsAtOnce) {
    m_observer.cancelAfterPumps = 6 + 3 * 5;
    const TransferOutcome outcome = Transfer(TransferDirection::Read);
    EXPECT_EQ(outcome.kind, Kind::Cancelled);
    EXPECT_EQ(outcome.blocksDone, 3);
    EXPECT_EQ(m_observer.messages, std::vector<std::string>{"TransferCancelled: 3 of 62"});
    EXPECT_EQ(m_image, Pattern(99));
    EXPECT_EQ(m_line.log.back(), "close");
    EXPECT_EQ(m_line.Count("W 52 00 30 08"), 0u);
}

}  // namespace
}  // namespace radioprog
