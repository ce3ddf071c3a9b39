#include "core/doc/safe_write.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "../../support/temp_dir.h"
#include "../link/fake_line.h"
#include "core/radio/packed_password.h"
#include "core/sim/radio_simulator.h"

namespace radioprog {
namespace {

using testing::FakeLine;
using testing::FakeOpener;
using testing::ReadBytes;
using testing::TempDir;
using Kind = SafeWriteResult::Kind;
using Phase = SafeWritePhase;

RadioImage Pattern(std::uint8_t seed) {
    RadioImage image;
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + seed);
    }
    std::copy(wire::kStandardIdentity.begin(), wire::kStandardIdentity.end(),
              image.begin() + image::kIdentity);
    return image;
}

/// Records what a safe write tells its user; answers its questions from the knobs.
class RecordingObserver : public SafeWriteObserver {
public:
    std::vector<std::string> events;
    int retries = 0;
    bool confirm = false;

    void PhaseStarted(SafeWritePhase phase) override {
        events.push_back(SafeWritePhaseText(phase, Language::English));
    }
    void Progress(int blocksDone) override {
        if (blocksDone == 62) {
            events.push_back("62");
        }
    }
    bool AskRetry() override {
        events.push_back("CommunicationError");
        return retries-- > 0;
    }
    std::optional<PackedPassword> ReLogin() override { return std::nullopt; }
    void ShowMessage(LinkMessage message, const std::string& detail) override {
        events.push_back(std::to_string(static_cast<int>(message)) + " " + detail);
    }
    bool ConfirmChanges(const RadioImage&, const RadioImage&) override {
        events.push_back("ConfirmChanges");
        return confirm;
    }
};

/// A simulated radio on a fake line in virtual time, and the folder for its backups.
class SafeWriteTest : public ::testing::Test {
protected:
    void StartRadio(const SimFaults& faults = {}) {
        m_radio.emplace(m_radioMemory, faults);
        m_line.peer = [this](std::uint8_t byte) {
            m_radio->SetTime(m_line.now);
            return m_radio->Receive(byte);
        };
    }
    SafeWriteResult Write() {
        // Each open of the fake line is a new conversation, as closing a real line is.
        struct Reopening : FakeOpener {
            Reopening(FakeLine& line, RadioSimulator& radio) : FakeOpener(line), m_radio(radio) {}
            Opened Open(const std::string& name, const TimeoutProfile& profile) override {
                m_radio.LineDropped();
                return FakeOpener::Open(name, profile);
            }
            RadioSimulator& m_radio;
        } opener(m_line, *m_radio);
        const BackupStore store(m_dir / "backups");
        return SafeWrite(m_image, opener, m_session, store, m_options, m_observer);
    }
    std::size_t Backups() const { return BackupStore(m_dir / "backups").List().size(); }

    TempDir m_dir;
    RadioImage m_radioMemory = Pattern(1);
    RadioImage m_image = Pattern(2);
    std::optional<RadioSimulator> m_radio;
    FakeLine m_line;
    LinkSession m_session{AccessRole::Admin, {0xFF, 0xFF, 0xFF}, "COM1"};
    SafeWriteOptions m_options;
    RecordingObserver m_observer;
};

TEST_F(SafeWriteTest, BacksUpWritesAndVerifiesEachPhaseWithItsOwnCounter) {
    StartRadio();
    const SafeWriteResult result = Write();
    EXPECT_EQ(result.kind, Kind::Verified);
    EXPECT_EQ(m_observer.events,
              (std::vector<std::string>{"Backing up", "62", "Writing", "62", "Verifying", "62"}));
    EXPECT_TRUE(std::equal(m_image.begin(), m_image.begin() + 0x3E0, m_radio->memory().begin()));
    ASSERT_FALSE(result.backupFile.empty());
    const auto backup = ReadBytes(result.backupFile);
    ASSERT_EQ(backup.size(), 1024u);
    EXPECT_TRUE(std::equal(backup.begin(), backup.begin() + 0x3E0, m_radioMemory.begin()));
    EXPECT_NE(result.backupFile.filename().string().find("-before-write-COM1.dat"),
              std::string::npos);
    ASSERT_TRUE(result.radioBefore);
    EXPECT_EQ(SafeWriteMessage(result, Language::English), "Written and verified");
    EXPECT_EQ(SafeWriteMessage(result, Language::Chinese), "写入并校验完成");
}

TEST_F(SafeWriteTest, AHalfBlockTheRadioDidNotKeepIsNamedAndTheBackupOffered) {
    SimFaults faults;
    faults.dropWrite = 0x40;
    StartRadio(faults);
    const SafeWriteResult result = Write();
    EXPECT_EQ(result.kind, Kind::VerifyFailed);
    EXPECT_EQ(result.differing, std::vector<std::size_t>{0x40});
    const std::string message = SafeWriteMessage(result, Language::English);
    EXPECT_EQ(message.rfind("The radio reads back differently from what was written, at the "
                            "half-blocks 0x0040\nBackup: ",
                            0),
              0u)
        << message;
}

TEST_F(SafeWriteTest, AUsersWriteDoesNotCompareTheIdentityRecord) {
    StartRadio();
    m_session.role = AccessRole::User;
    m_image[image::kIdentity + 5] = 0x12;  // another User password in the file
    EXPECT_EQ(Write().kind, Kind::Verified);
    EXPECT_EQ(m_radio->memory()[image::kIdentity + 5], m_radioMemory[image::kIdentity + 5]);
}

// An Admin's write gives the radio the file's Admin password; the check after it must log in
// with that one, not report a Password Error for a write that went well.
TEST_F(SafeWriteTest, TheCheckLogsInWithTheAdminPasswordTheWriteGaveTheRadio) {
    StartRadio();
    const PackedPassword written = *PackPassword("4321");
    std::copy(written.begin(), written.end(), m_image.begin() + image::kIdentityAdminPassword);
    const SafeWriteResult result = Write();
    EXPECT_EQ(result.kind, Kind::Verified) << SafeWriteMessage(result, Language::English);
    EXPECT_EQ(m_observer.events,
              (std::vector<std::string>{"Backing up", "62", "Writing", "62", "Verifying", "62"}));
    EXPECT_EQ(m_session.loginPassword, (PackedPassword{0xFF, 0xFF, 0xFF}))
        << "the caller's login stays the one it gave";
}

TEST_F(SafeWriteTest, TheVerifyWaitsQuietlyForARadioThatRestartsAfterTheWrite) {
    SimFaults faults;
    faults.restartAfterWrite = Milliseconds(4000);
    StartRadio(faults);
    EXPECT_EQ(Write().kind, Kind::Verified);
    EXPECT_EQ(m_observer.events.size(), 6u);  // no question

    // Beyond the patience the user is asked; Cancel leaves the write unverified.
    m_observer.events.clear();
    m_options.verifyPatience = Milliseconds(1000);
    const SafeWriteResult result = Write();
    EXPECT_EQ(result.kind, Kind::VerifyFailed);
    EXPECT_TRUE(result.differing.empty());
    EXPECT_EQ(result.connectEnd, ConnectEnd::CommunicationError);
    EXPECT_EQ(m_observer.events.back(), "CommunicationError");
    EXPECT_EQ(
        SafeWriteMessage(result, Language::English)
            .rfind("The memory was written but could not be read back to check it: blocks done 0 "
                   "of 62",
                   0),
        0u);
}

TEST_F(SafeWriteTest, NothingIsWrittenWhenTheBackupCannotBeTakenOrKept) {
    struct Case {
        const char* name;
        SimFaults faults;
        bool folderIsAFile;
        Kind kind;
        const char* messageStart;
    };
    SimFaults stops;
    stops.stopAfter = 30;
    SimFaults silent;
    silent.silent = true;
    const Case cases[] = {
        {"read stops", stops, false, Kind::BackupFailed,
         "Nothing was written: the radio's memory could not be backed up first. The radio could "
         "not be read: blocks done 15 of 62"},
        {"folder",
         {},
         true,
         Kind::BackupFailed,
         "Nothing was written: the radio's memory could not be backed up first. Cannot write"},
        {"silent", silent, false, Kind::NotConnected, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        m_line = FakeLine();
        StartRadio(c.faults);
        if (c.folderIsAFile) {
            std::ofstream(m_dir / "backups") << "in the way";
        }
        const SafeWriteResult result = Write();
        EXPECT_EQ(result.kind, c.kind);
        EXPECT_EQ(result.phase, Phase::BackingUp);
        EXPECT_EQ(m_radio->stats().halfBlocksWritten, 0u);
        EXPECT_EQ(SafeWriteMessage(result, Language::English).rfind(c.messageStart, 0), 0u)
            << SafeWriteMessage(result, Language::English);
        std::filesystem::remove_all(m_dir / "backups");
    }
}

TEST_F(SafeWriteTest, AWriteThatStopsSaysTheRadioHoldsAMixAndOffersTheBackup) {
    SimFaults faults;
    faults.stopAfter = 124 + 40;  // the whole backup read, then 20 blocks of the write
    StartRadio(faults);
    const SafeWriteResult result = Write();
    EXPECT_EQ(result.kind, Kind::WriteIncomplete);
    EXPECT_EQ(result.phase, Phase::Writing);
    EXPECT_EQ(result.blocksDone, 20);
    const std::string message = SafeWriteMessage(result, Language::English);
    EXPECT_EQ(message.rfind("The write stopped part-way: the radio now holds a mix of its old and "
                            "new memory (blocks done 20 of 62). Write again, or restore the "
                            "backup taken before the write.\nBackup: " +
                                result.backupFile.string(),
                            0),
              0u)
        << message;
    EXPECT_NE(SafeWriteMessage(result, Language::Chinese).find("新旧数据的混合"),
              std::string::npos);
}

TEST_F(SafeWriteTest, WithoutBackupAndVerifyItIsOnePlainWrite) {
    StartRadio();
    m_options.backup = false;
    m_options.verify = false;
    const SafeWriteResult result = Write();
    EXPECT_EQ(result.kind, Kind::Written);
    EXPECT_EQ(m_observer.events, (std::vector<std::string>{"Writing", "62"}));
    EXPECT_EQ(m_radio->stats().connections, 1u);
    EXPECT_EQ(m_radio->stats().halfBlocksRead, 0u);
    EXPECT_EQ(Backups(), 0u);
}

TEST_F(SafeWriteTest, ShowingTheChangesAsksFirstAndARadioThatHoldsTheMemoryIsNotWritten) {
    StartRadio();
    m_options.confirmChanges = true;
    EXPECT_EQ(Write().kind, Kind::Cancelled);
    EXPECT_EQ(m_radio->stats().halfBlocksWritten, 0u);
    EXPECT_EQ(m_observer.events.back(), "ConfirmChanges");

    m_observer.confirm = true;
    EXPECT_EQ(Write().kind, Kind::Verified);

    m_observer.events.clear();
    const SafeWriteResult again = Write();
    EXPECT_EQ(again.kind, Kind::Unchanged);
    EXPECT_EQ(m_observer.events, (std::vector<std::string>{"Backing up", "62"}));
    EXPECT_EQ(SafeWriteMessage(again, Language::English),
              "The radio already holds this memory; nothing was written.");
}

// What a helper that writes many radios at once relies on: nothing is shared between calls.
TEST(SafeWriteThreads, RadiosWrittenAtOnceOnTheirOwnThreadsAreEachVerified) {
    TempDir dir;
    const BackupStore store(dir / "backups");
    constexpr int kRadios = 4;
    std::vector<SafeWriteResult::Kind> kinds(kRadios, Kind::Cancelled);
    std::vector<std::thread> threads;
    for (int r = 0; r < kRadios; ++r) {
        threads.emplace_back([&, r] {
            RadioSimulator radio(Pattern(static_cast<std::uint8_t>(r)));
            FakeLine line;
            line.peer = [&radio](std::uint8_t byte) { return radio.Receive(byte); };
            FakeOpener opener(line);
            LinkSession session{AccessRole::Admin, {0xFF, 0xFF, 0xFF}, "COM" + std::to_string(r)};
            RecordingObserver observer;
            const RadioImage image = Pattern(static_cast<std::uint8_t>(100 + r));
            kinds[static_cast<std::size_t>(r)] =
                SafeWrite(image, opener, session, store, {}, observer).kind;
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(kinds, std::vector<SafeWriteResult::Kind>(kRadios, Kind::Verified));
    EXPECT_EQ(store.List().size(), static_cast<std::size_t>(kRadios));
}

}  // namespace
}  // namespace radioprog
