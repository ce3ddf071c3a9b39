// Hundreds of transfers against the simulated radio with random faults, in virtual time: each
// one must end complete and byte-exact, or end the way its fault dictates, within bounded time.
#include <gtest/gtest.h>

#include <random>

#include "core/link/block_transfer.h"
#include "core/sim/radio_simulator.h"
#include "fake_line.h"
#include "test_radio.h"

namespace radioprog {
namespace {

using testing::FakeLine;
using testing::FakeOpener;
using testing::TestObserver;
using Kind = TransferOutcome::Kind;

enum class Fault { None, Silent, StopAfter, ShortReply, NakConnection, NakBlock, Slow, Garbage };

struct Trial {
    Fault fault;
    TransferDirection direction;
    int role;
    std::size_t stopAfter;
};

// Blocks completed when the radio serves only @p halfBlocks half-blocks.
int BlocksWithin(std::size_t halfBlocks, const Trial& trial) {
    std::size_t used = 0;
    for (int block = 0; block < 62; ++block) {
        const bool skip =
            trial.direction == TransferDirection::Write && trial.role == 0 && block == 27;
        used += skip ? 1 : 2;
        if (used > halfBlocks) {
            return block;
        }
    }
    return 62;
}

TEST(Soak, RandomFaultsNeverGiveAFalseSuccessOrAHang) {
    std::mt19937 random(20261209);
    constexpr int kTrials = 200;
    for (int i = 0; i < kTrials; ++i) {
        const Trial trial{static_cast<Fault>(random() % 8),
                          random() % 2 ? TransferDirection::Read : TransferDirection::Write,
                          static_cast<int>(random() % 2), random() % 130};
        SCOPED_TRACE("trial " + std::to_string(i) + " fault " +
                     std::to_string(static_cast<int>(trial.fault)) + " stop " +
                     std::to_string(trial.stopAfter));
        RadioImage memory;
        for (auto& byte : memory) {
            byte = static_cast<std::uint8_t>(random());
        }
        SimFaults faults;
        switch (trial.fault) {
            case Fault::Silent:
                faults.silent = true;
                break;
            case Fault::StopAfter:
                faults.stopAfter = trial.stopAfter;
                break;
            case Fault::ShortReply:
                faults.shortReadReply = true;
                break;
            case Fault::NakConnection:
                faults.wrongAck = AckFault::kConnection;
                break;
            case Fault::NakBlock:
                faults.wrongAck = AckFault::kBlock;
                break;
            case Fault::Garbage:
                faults.garbageSeed = static_cast<std::uint32_t>(random());
                break;
            case Fault::Slow:
            case Fault::None:
                break;
        }
        RadioSimulator radio(memory, faults);
        radio.UseStandardIdentity();
        const RadioImage radioBefore = radio.memory();

        FakeLine line;
        line.peer = [&radio](std::uint8_t byte) { return radio.Receive(byte); };
        line.answerDelay = trial.fault == Fault::Slow ? Milliseconds(400) : Milliseconds(3);
        TestObserver observer(line);
        LinkSession session;
        session.role = RoleFromStoredValue(trial.role);
        RadioImage image;
        for (auto& byte : image) {
            byte = static_cast<std::uint8_t>(random());
        }
        const RadioImage imageBefore = image;
        FakeOpener opener(line);
        const TransferOutcome outcome =
            TransferImage(trial.direction, image, opener, session, observer);

        // Bounded: a full transfer takes a few seconds of virtual time, a failure less.
        EXPECT_LT(line.now, Milliseconds(30000));
        EXPECT_EQ(line.log.back(), "close");
        if (outcome.kind == Kind::Complete) {
            EXPECT_EQ(outcome.blocksDone, 62);
            EXPECT_EQ(observer.progress.back(), 62);
            if (trial.direction == TransferDirection::Read) {
                EXPECT_TRUE(std::equal(image.begin(), image.begin() + 0x3E0, radioBefore.begin()));
                EXPECT_TRUE(
                    std::equal(image.begin() + 0x3E0, image.end(), imageBefore.begin() + 0x3E0));
            } else {
                const bool user = trial.role == 0;
                for (std::size_t at = 0; at < 0x3E0; ++at) {
                    const bool identity = at >= image::kIdentity && at < image::kIdentity + 8;
                    ASSERT_EQ(radio.memory()[at], user && identity ? radioBefore[at] : image[at])
                        << at;
                }
            }
        } else if (trial.direction == TransferDirection::Read) {
            EXPECT_EQ(image, imageBefore);
        }
        switch (trial.fault) {
            case Fault::None:
                EXPECT_EQ(outcome.kind, Kind::Complete);
                break;
            case Fault::Silent:
            case Fault::Slow:
            case Fault::NakConnection:
                EXPECT_EQ(outcome.kind, Kind::NotConnected);
                EXPECT_EQ(outcome.connectEnd, ConnectEnd::CommunicationError);
                break;
            case Fault::StopAfter: {
                const int expected = BlocksWithin(trial.stopAfter, trial);
                EXPECT_EQ(outcome.kind, expected == 62 ? Kind::Complete : Kind::Incomplete);
                EXPECT_EQ(outcome.blocksDone, expected);
                break;
            }
            case Fault::ShortReply:
                EXPECT_EQ(outcome.kind, trial.direction == TransferDirection::Read
                                            ? Kind::Incomplete
                                            : Kind::Complete);
                break;
            case Fault::NakBlock:
                EXPECT_EQ(outcome.kind, Kind::Incomplete);
                EXPECT_EQ(outcome.blocksDone, 0);
                break;
            case Fault::Garbage:
                break;  // may end any way, but a success carries the radio's exact bytes
        }
        if (outcome.kind == Kind::Incomplete) {
            ASSERT_FALSE(observer.messages.empty());
            EXPECT_EQ(observer.messages.back(),
                      "TransferIncomplete: " + std::to_string(outcome.blocksDone) + " of 62");
        }
    }
}

}  // namespace
}  // namespace radioprog
