#include "core/fleet/safe_write_steps.h"

#include <gtest/gtest.h>

#include "../../support/temp_dir.h"
#include "core/sim/memory_file.h"
#include "fleet_fixtures.h"

namespace radioprog {
namespace {

using namespace fleet_fixtures;
using testing::TempDir;

/// A step observer that keeps the phases it saw.
class Phases final : public RadioStepObserver {
public:
    void Phase(FleetPhase phase) override { seen.push_back(phase); }
    bool AskRetry() override { return false; }
    std::optional<PackedPassword> ReLogin() override { return std::nullopt; }
    void ShowMessage(LinkMessage, const std::string&) override {}
    std::vector<FleetPhase> seen;
};

struct Programmed {
    RadioOutcome outcome;
    std::vector<FleetPhase> phases;
    RadioImage radio;
};

Programmed ProgramOne(const RadioImage& image, const RadioSimulator& simulator, bool backup,
                      const BackupStore& backups) {
    auto radio = StartRadio(simulator);
    EXPECT_TRUE(radio);
    const SafeWriteSteps steps(image, backups, backup, Language::English);
    SerialPortOpener opener([](int) { return std::string(); });
    LinkSession session;
    session.role = AccessRole::Admin;
    session.loginPassword = *PackPassword("");
    session.portName = radio->devicePath();
    Phases phases;
    Programmed programmed{steps.Program(opener, session, phases), phases.seen, {}};
    programmed.radio = radio->memory();
    return programmed;
}

TEST(SafeWriteStepsTest, EachRadioIsBackedUpWrittenAndVerified) {
    TempDir dir;
    const BackupStore backups(dir / "backups");
    const RadioImage image = FleetMemory();
    const RadioImage old = NewRadioImage(*PackPassword(""));
    const Programmed done = ProgramOne(image, RadioSimulator(old), true, backups);

    EXPECT_EQ(done.outcome.kind, RadioResultKind::Verified);
    EXPECT_EQ(done.phases, (std::vector<FleetPhase>{FleetPhase::BackingUp, FleetPhase::Writing,
                                                    FleetPhase::Verifying}));
    EXPECT_TRUE(HoldsFleetMemory(done.radio, image));
    ASSERT_FALSE(done.outcome.backupFile.empty());
    EXPECT_NE(done.outcome.backupFile.find("-before-write-"), std::string::npos);
    RadioImage kept{};
    ASSERT_TRUE(LoadMemoryFile(done.outcome.backupFile, kept).ok());
    EXPECT_TRUE(HoldsFleetMemory(kept, old));
}

TEST(SafeWriteStepsTest, ADroppedWriteFailsTheVerifyAtItsAddressAndNoBackupMeansNone) {
    TempDir dir;
    const BackupStore backups(dir / "backups");
    SimFaults drop;
    drop.dropWrite = 0x80;
    const Programmed done = ProgramOne(
        FleetMemory(), RadioSimulator(NewRadioImage(*PackPassword("")), drop), false, backups);
    EXPECT_EQ(done.outcome.kind, RadioResultKind::VerifyFailed);
    EXPECT_EQ(done.outcome.differences, (std::vector<std::size_t>{0x80}));
    EXPECT_TRUE(done.outcome.backupFile.empty());
    EXPECT_EQ(done.phases, (std::vector<FleetPhase>{FleetPhase::Writing, FleetPhase::Verifying}));
}

// A memory that gives the Admin a password the run did not log in with: the check after the
// write logs in with the new one, as nobody is there to type it.
TEST(SafeWriteStepsTest, TheCheckLogsInWithThePasswordTheWriteGaveTheRadio) {
    TempDir dir;
    const BackupStore backups(dir / "backups");
    RadioImage image = FleetMemory();
    const PackedPassword admin = *PackPassword("4321");
    std::copy(admin.begin(), admin.end(), image.begin() + image::kIdentityAdminPassword);
    const Programmed done =
        ProgramOne(image, RadioSimulator(NewRadioImage(*PackPassword(""))), true, backups);
    EXPECT_EQ(done.outcome.kind, RadioResultKind::Verified);
    EXPECT_TRUE(HoldsFleetMemory(done.radio, image));
}

TEST(SafeWriteStepsTest, ARadioWithAnotherPasswordIsAPasswordErrorAndNothingIsWritten) {
    TempDir dir;
    const BackupStore backups(dir / "backups");
    RadioSimulator locked(NewRadioImage(*PackPassword("")));
    locked.SetAdminPassword(*PackPassword("999"));
    const Programmed done = ProgramOne(FleetMemory(), locked, true, backups);
    EXPECT_EQ(done.outcome.kind, RadioResultKind::PasswordError);
    EXPECT_FALSE(HoldsFleetMemory(done.radio, FleetMemory()));
    EXPECT_EQ(done.phases, (std::vector<FleetPhase>{FleetPhase::BackingUp}));
}

}  // namespace
}  // namespace radioprog
