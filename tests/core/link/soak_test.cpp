// A thousand transfers against the simulated radio with random faults, in virtual time: reads
// and safe writes (backup, write, verify). Each must end complete and byte-exact, or end the way
// its fault dictates, within bounded time; a read that did not complete changes nothing.
#include <gtest/gtest.h>

#include <random>

#include "../../support/temp_dir.h"
#include "core/doc/safe_write.h"
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
using WriteKind = SafeWriteResult::Kind;

enum class Fault {
    None,
    Silent,
    StopAfter,
    ShortReply,
    NakConnection,
    NakBlock,
    Slow,
    Garbage,
    NoiseBefore,
    DropWrite,
    RestartAfterWrite,
    Count
};

struct Trial {
    Fault fault;
    TransferDirection direction;
    AccessRole role;
    std::size_t stopAfter;
    std::uint16_t address;  ///< of the noise and drop faults
    bool backup;
};

// Blocks completed when the radio serves only @p halfBlocks half-blocks.
int BlocksWithin(std::size_t halfBlocks, const Trial& trial) {
    std::size_t used = 0;
    for (int block = 0; block < 62; ++block) {
        const bool skip = trial.direction == TransferDirection::Write &&
                          trial.role == AccessRole::User && block == 27;
        used += skip ? 1 : 2;
        if (used > halfBlocks) {
            return block;
        }
    }
    return 62;
}

SimFaults FaultsOf(const Trial& trial, std::mt19937& random) {
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
        case Fault::NoiseBefore:
            faults.noiseBefore = trial.address;
            break;
        case Fault::DropWrite:
            faults.dropWrite = trial.address;
            break;
        case Fault::RestartAfterWrite:
            faults.restartAfterWrite = Milliseconds(random() % 6000);
            break;
        case Fault::Slow:
        case Fault::None:
        case Fault::Count:
            break;
    }
    return faults;
}

RadioImage RandomImage(std::mt19937& random) {
    RadioImage image;
    for (auto& byte : image) {
        byte = static_cast<std::uint8_t>(random());
    }
    return image;
}

bool SameRadioBytes(const RadioImage& a, const RadioImage& b) {
    return std::equal(a.begin(), a.begin() + 0x3E0, b.begin());
}

// Every byte the write should have changed holds the image's value; a User's identity record
// holds the radio's old one.
void ExpectWritten(const RadioImage& radio, const RadioImage& before, const RadioImage& image,
                   AccessRole role) {
    for (std::size_t at = 0; at < 0x3E0; ++at) {
        const bool identity = at >= image::kIdentity && at < image::kIdentity + 8;
        ASSERT_EQ(radio[at], role == AccessRole::User && identity ? before[at] : image[at]) << at;
    }
}

/// Each open of the line is a new conversation, as closing a real line is.
class ReopeningOpener : public FakeOpener {
public:
    ReopeningOpener(FakeLine& line, RadioSimulator& radio) : FakeOpener(line), m_radio(radio) {}
    Opened Open(const std::string& name, const TimeoutProfile& profile) override {
        m_radio.LineDropped();
        return FakeOpener::Open(name, profile);
    }

private:
    RadioSimulator& m_radio;
};

void CheckRead(const Trial& trial, const TransferOutcome& outcome, const RadioImage& image,
               const RadioImage& imageBefore, const RadioImage& radioBefore) {
    if (outcome.kind == Kind::Complete) {
        EXPECT_TRUE(SameRadioBytes(image, radioBefore));
        EXPECT_TRUE(std::equal(image.begin() + 0x3E0, image.end(), imageBefore.begin() + 0x3E0));
    } else {
        EXPECT_EQ(image, imageBefore);
    }
    switch (trial.fault) {
        case Fault::None:
        case Fault::NoiseBefore:
        case Fault::DropWrite:
        case Fault::RestartAfterWrite:
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
            EXPECT_EQ(outcome.kind, Kind::Incomplete);
            break;
        case Fault::NakBlock:
            EXPECT_EQ(outcome.kind, Kind::Incomplete);
            EXPECT_EQ(outcome.blocksDone, 0);
            break;
        case Fault::Garbage:
        case Fault::Count:
            break;  // may end any way, but a success carries the radio's exact bytes
    }
}

void CheckWrite(const Trial& trial, const SafeWriteResult& result, const RadioSimulator& radio,
                const RadioImage& image, const RadioImage& radioBefore) {
    if (result.kind == WriteKind::Verified) {
        ExpectWritten(radio.memory(), radioBefore, image, trial.role);
    }
    if (result.phase == SafeWritePhase::BackingUp) {
        EXPECT_EQ(radio.stats().halfBlocksWritten, 0u);  // nothing written without a backup
    }
    if (!result.backupFile.empty()) {
        const auto kept = testing::ReadBytes(result.backupFile);
        ASSERT_EQ(kept.size(), 1024u);
        EXPECT_TRUE(std::equal(kept.begin(), kept.begin() + 0x3E0, radioBefore.begin()));
    }
    const bool identityDropped =
        trial.role == AccessRole::User && trial.address == image::kIdentity;
    switch (trial.fault) {
        case Fault::None:
        case Fault::NoiseBefore:
        case Fault::RestartAfterWrite:
            EXPECT_EQ(result.kind, WriteKind::Verified);
            break;
        case Fault::DropWrite:
            if (identityDropped) {
                EXPECT_EQ(result.kind, WriteKind::Verified);
            } else {
                EXPECT_EQ(result.kind, WriteKind::VerifyFailed);
                EXPECT_EQ(result.differing, std::vector<std::size_t>{trial.address});
            }
            break;
        case Fault::Silent:
        case Fault::Slow:
        case Fault::NakConnection:
            EXPECT_EQ(result.kind, WriteKind::NotConnected);
            EXPECT_EQ(result.connectEnd, ConnectEnd::CommunicationError);
            break;
        case Fault::ShortReply:
            EXPECT_EQ(result.kind,
                      trial.backup ? WriteKind::BackupFailed : WriteKind::VerifyFailed);
            break;
        case Fault::NakBlock:
            EXPECT_EQ(result.kind,
                      trial.backup ? WriteKind::BackupFailed : WriteKind::WriteIncomplete);
            break;
        case Fault::StopAfter:
            EXPECT_NE(result.kind, WriteKind::Verified);
            break;
        case Fault::Garbage:
        case Fault::Count:
            break;
    }
}

TEST(Soak, RandomFaultsNeverGiveAFalseSuccessOrAHang) {
    testing::TempDir dir;
    std::mt19937 random(20261210);
    constexpr int kTrials = 1100;
    int successes = 0;
    for (int i = 0; i < kTrials; ++i) {
        const Trial trial{
            static_cast<Fault>(random() % static_cast<unsigned>(Fault::Count)),
            random() % 2 ? TransferDirection::Read : TransferDirection::Write,
            random() % 2 ? AccessRole::Admin : AccessRole::User,
            random() % 260,
            static_cast<std::uint16_t>((random() % 124) * 8),
            random() % 4 != 0,
        };
        SCOPED_TRACE("trial " + std::to_string(i) + " fault " +
                     std::to_string(static_cast<int>(trial.fault)) + " stop " +
                     std::to_string(trial.stopAfter) + " address " + std::to_string(trial.address));
        RadioSimulator radio(RandomImage(random), FaultsOf(trial, random));
        radio.UseStandardIdentity();
        const RadioImage radioBefore = radio.memory();

        FakeLine line;
        line.peer = [&radio, &line](std::uint8_t byte) {
            radio.SetTime(line.now);
            return radio.Receive(byte);
        };
        line.answerDelay = trial.fault == Fault::Slow ? Milliseconds(400) : Milliseconds(3);
        TestObserver observer(line);
        LinkSession session;
        session.role = trial.role;
        RadioImage image = RandomImage(random);
        // A radio's file: a radio given another identity record would not answer the verify.
        std::copy(wire::kStandardIdentity.begin(), wire::kStandardIdentity.end(),
                  image.begin() + image::kIdentity);
        const RadioImage imageBefore = image;
        ReopeningOpener opener(line, radio);
        if (trial.direction == TransferDirection::Read) {
            const TransferOutcome outcome =
                TransferImage(trial.direction, image, opener, session, observer);
            successes += outcome.kind == Kind::Complete ? 1 : 0;
            CheckRead(trial, outcome, image, imageBefore, radioBefore);
        } else {
            SafeWriteOptions options;
            options.backup = trial.backup;
            const BackupStore store(dir / "backups", BackupLimits{365, 50, 20});
            const SafeWriteResult result =
                SafeWrite(image, opener, session, store, options, observer);
            successes += result.kind == WriteKind::Verified ? 1 : 0;
            CheckWrite(trial, result, radio, image, radioBefore);
        }
        // Bounded: a safe write takes about 10 s of virtual time, a patient verify 10 s more.
        EXPECT_LT(line.now, Milliseconds(60000));
        EXPECT_EQ(line.log.back(), "close");
    }
    // Most trials have a fault that lets the transfer through.
    EXPECT_GT(successes, kTrials / 4);
}

}  // namespace
}  // namespace radioprog
