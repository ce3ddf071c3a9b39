#include "core/fleet/fleet_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>

#include "../../support/temp_dir.h"
#include "core/fleet/fleet_log.h"
#include "fleet_fixtures.h"

namespace radioprog {
namespace {

using namespace fleet_fixtures;
using testing::TempDir;

std::size_t CountOf(const std::vector<RadioRecord>& records, const std::string& port) {
    return static_cast<std::size_t>(std::count_if(
        records.begin(), records.end(), [&](const RadioRecord& r) { return r.port == port; }));
}

TEST(FleetRunTest, ProgramsRadiosOneAfterAnotherOnEachPortAndNeverTheSameTwice) {
    const RadioImage memory = FleetMemory();
    PtyRadio::Options options;
    options.radios = 3;
    // Long enough for two looks that find no radio: the run's sign that it was taken away.
    options.replugAfter = 1000ms;
    // Each radio comes with a memory of its own, which the run must replace.
    const RadioImage before = NewRadioImage(*PackPassword(""));
    auto first = StartRadio(RadioSimulator(before), options);
    auto second = StartRadio(RadioSimulator(before), options);
    ASSERT_TRUE(first && second);

    const WriteAndCheck steps(memory);
    KeptReports reports;
    FleetRun run(QuickPlan({first->devicePath(), second->devicePath()}, 4), steps, SerialOpeners(),
                 nullptr, reports);
    run.Start();
    const FleetSummary summary = run.Wait();

    EXPECT_EQ(summary.handled, 4);
    EXPECT_EQ(summary.verified, 4);
    EXPECT_FALSE(summary.cancelled);
    std::set<int> sequences;
    for (const RadioRecord& record : reports.records) {
        sequences.insert(record.sequence);
        EXPECT_EQ(record.outcome.kind, RadioResultKind::Verified) << record.sequence;
        EXPECT_LE(record.start, record.end);
        EXPECT_GT(record.cpuTime.count(), 0);
    }
    EXPECT_EQ(sequences, (std::set<int>{1, 2, 3, 4}));
    // No radio was taken twice: each port's count is the radios plugged into it.
    const std::size_t onFirst = CountOf(reports.records, first->devicePath());
    const std::size_t onSecond = CountOf(reports.records, second->devicePath());
    EXPECT_EQ(onFirst + onSecond, 4u);
    // The radios each port took, in order: those taken away, then the one still plugged in.
    for (const auto& [radio, taken] : {std::pair{first.get(), onFirst}, {second.get(), onSecond}}) {
        std::vector<RadioImage> memories = radio->unpluggedMemories();
        if (radio->radioPresent()) {
            memories.push_back(radio->memory());
        }
        ASSERT_GE(memories.size(), taken);
        for (std::size_t i = 0; i < taken; ++i) {
            EXPECT_TRUE(HoldsFleetMemory(memories[i], memory)) << i;
        }
    }
    for (const std::string& port : {first->devicePath(), second->devicePath()}) {
        const std::vector<PortState> states = reports.StatesOf(port);
        ASSERT_FALSE(states.empty());
        EXPECT_EQ(states.back().phase, FleetPhase::Finished);
    }
}

TEST(FleetRunTest, APortWithoutARadioOrThatCannotOpenNeitherStopsNorSlowsTheOthers) {
    const RadioImage memory = FleetMemory();
    SimFaults silence;
    silence.silent = true;
    auto silent = StartRadio(RadioSimulator(memory, silence));
    auto radio = StartRadio(RadioSimulator(NewRadioImage(*PackPassword(""))));
    ASSERT_TRUE(silent && radio);
    const std::string missing = "/dev/radioprog-no-such-port";

    const WriteAndCheck steps(memory);
    KeptReports reports;
    FleetRun run(QuickPlan({silent->devicePath(), missing, radio->devicePath()}, 1), steps,
                 SerialOpeners(), nullptr, reports);
    run.Start();
    const FleetSummary summary = run.Wait();

    EXPECT_EQ(summary.handled, 1);
    EXPECT_EQ(summary.verified, 1);
    ASSERT_EQ(reports.records.size(), 1u);
    EXPECT_EQ(reports.records[0].port, radio->devicePath());
    EXPECT_TRUE(HoldsFleetMemory(radio->memory(), memory));
    // The port that cannot be opened says why while it waits.
    const std::vector<PortState> states = reports.StatesOf(missing);
    EXPECT_TRUE(std::any_of(states.begin(), states.end(), [&](const PortState& s) {
        return s.phase == FleetPhase::WaitingForRadio &&
               s.note.find("radioprog-no-such-port") != std::string::npos;
    }));
    EXPECT_EQ(silent->stats().halfBlocksWritten, 0u);
}

TEST(FleetRunTest, AWriteCutShortIsIncompleteAndTheOtherPortsGoOn) {
    const RadioImage memory = FleetMemory();
    SimFaults hangUp;
    hangUp.hangUpAfter = 40;
    auto cut = StartRadio(RadioSimulator(NewRadioImage(*PackPassword("")), hangUp));
    auto good = StartRadio(RadioSimulator(NewRadioImage(*PackPassword(""))));
    ASSERT_TRUE(cut && good);

    const WriteAndCheck steps(memory);
    KeptReports reports;
    FleetRun run(QuickPlan({cut->devicePath(), good->devicePath()}, 2), steps, SerialOpeners(),
                 nullptr, reports);
    run.Start();
    const FleetSummary summary = run.Wait();

    EXPECT_EQ(summary.handled, 2);
    EXPECT_EQ(summary.verified, 1);
    EXPECT_EQ(summary.incomplete, 1);
    for (const RadioRecord& record : reports.records) {
        if (record.port == cut->devicePath()) {
            EXPECT_EQ(record.outcome.kind, RadioResultKind::WriteIncomplete);
            EXPECT_EQ(record.outcome.blocksDone, 20);
        } else {
            EXPECT_EQ(record.outcome.kind, RadioResultKind::Verified);
        }
    }
}

/// Work that ends each radio as a test says, for what the run does with the results.
class ScriptedSteps final : public RadioSteps {
public:
    explicit ScriptedSteps(std::vector<RadioOutcome> outcomes) : m_outcomes(std::move(outcomes)) {}
    RadioOutcome Program(PortOpener&, LinkSession&, RadioStepObserver& observer) const override {
        observer.Phase(FleetPhase::Writing);
        observer.Progress(62);
        const std::size_t n = m_next++;
        return m_outcomes.at(n % m_outcomes.size());
    }

private:
    std::vector<RadioOutcome> m_outcomes;
    mutable std::atomic<std::size_t> m_next = 0;
};

TEST(FleetRunTest, AFailedVerifyIsNeverCountedAsVerifiedAndEveryRowIsInTheLogFirst) {
    TempDir dir;
    FleetLog log;
    ASSERT_TRUE(log.Create(dir / "run.csv", Language::English).ok());
    auto radio = StartRadio(RadioSimulator(FleetMemory()));
    ASSERT_TRUE(radio);
    RadioOutcome failed{RadioResultKind::VerifyFailed, 0, {0x100, 0x3D8}, "/b/x.dat", {}};
    RadioOutcome refused{RadioResultKind::PasswordError, 0, {}, {}, {}};
    const ScriptedSteps steps({RadioOutcome{}, failed, refused});
    std::vector<std::size_t> rowsWhenReported;
    KeptReports reports([&](const RadioRecord&) {
        const std::string text = testing::ReadText(dir / "run.csv");
        rowsWhenReported.push_back(
            static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) - 1);
    });
    // The same radio stays, so the one port takes it again only because it never goes: the
    // removal check is what keeps it from being taken twice.
    FleetPlan plan = QuickPlan({radio->devicePath()}, 3);
    plan.missesForRemoval = 0;
    FleetRun run(plan, steps, SerialOpeners(), &log, reports);
    run.Start();
    const FleetSummary summary = run.Wait();

    EXPECT_EQ(summary.handled, 3);
    EXPECT_EQ(summary.verified, 1);
    EXPECT_EQ(summary.verifyFailed, 1);
    EXPECT_EQ(summary.otherFailures, 1);
    EXPECT_EQ(summary.firstOtherFailure, RadioResultKind::PasswordError);
    EXPECT_EQ(rowsWhenReported, (std::vector<std::size_t>{1, 2, 3}));
    const std::string text = testing::ReadText(dir / "run.csv");
    EXPECT_NE(text.find(",verify failed,differs at 0x0100 0x03D8,/b/x.dat\r\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find(",password error,"), std::string::npos) << text;
}

TEST(FleetRunTest, ARadioThatStaysIsNotTakenAgain) {
    auto radio = StartRadio(RadioSimulator(FleetMemory()));
    ASSERT_TRUE(radio);
    const ScriptedSteps steps({RadioOutcome{}});
    KeptReports reports;
    FleetRun run(QuickPlan({radio->devicePath()}, 2), steps, SerialOpeners(), nullptr, reports);
    run.Start();
    EXPECT_TRUE(WaitFor([&] { return reports.RecordCount() == 1; }));
    std::this_thread::sleep_for(800ms);
    EXPECT_EQ(reports.RecordCount(), 1u);
    EXPECT_EQ(reports.StatesOf(radio->devicePath()).back().phase, FleetPhase::WaitingForRemoval);
    // Taken away and plugged in again, it counts as the next radio.
    radio->Unplug();
    EXPECT_TRUE(WaitFor([&] {
        return reports.StatesOf(radio->devicePath()).back().phase == FleetPhase::WaitingForRadio;
    }));
    run.Cancel();
    const FleetSummary summary = run.Wait();
    EXPECT_EQ(summary.handled, 1);
    EXPECT_TRUE(summary.cancelled);
}

TEST(FleetRunTest, CancelStopsATransferBetweenBlocksAndEveryWaitingPort) {
    const RadioImage memory = FleetMemory();
    PtyRadio::Options paced;
    paced.baud = 9600;
    auto slow = StartRadio(RadioSimulator(NewRadioImage(*PackPassword(""))), paced);
    SimFaults silence;
    silence.silent = true;
    auto silent = StartRadio(RadioSimulator(memory, silence));
    ASSERT_TRUE(slow && silent);
    const WriteAndCheck steps(memory);
    KeptReports reports;
    FleetRun run(QuickPlan({slow->devicePath(), silent->devicePath()}, 2), steps, SerialOpeners(),
                 nullptr, reports);
    run.Start();
    EXPECT_TRUE(WaitFor([&] {
        const auto states = reports.StatesOf(slow->devicePath());
        return !states.empty() && states.back().phase == FleetPhase::Writing &&
               states.back().blocksDone >= 2;
    }));
    run.Cancel();
    const FleetSummary summary = run.Wait();
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(summary.verified, 0);
    EXPECT_EQ(summary.incomplete, 1);
    ASSERT_EQ(reports.records.size(), 1u);
    EXPECT_EQ(reports.records[0].outcome.kind, RadioResultKind::WriteIncomplete);
    EXPECT_LT(reports.records[0].outcome.blocksDone, 62);
}

}  // namespace
}  // namespace radioprog
