// Eight simulated radios on eight pseudo-terminals at 9600-baud pacing, programmed by one fleet
// run: each backed up, written and verified. The run's time is compared with one radio's safe
// write alone, and the processor time per radio is what the ports' threads spent (the program's
// side; the simulated radios run in this process too and are counted in the process's total).
// Then three runs with one faulty radio among the eight: one silent, one that drops a write, one
// that hangs up in the middle of the write. Every row of the log is checked against what the
// radio holds: a radio logged as verified that does not hold the memory is a false success.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/doc/backup_store.h"
#include "core/fleet/fleet_log.h"
#include "core/fleet/fleet_run.h"
#include "core/fleet/fleet_texts.h"
#include "core/fleet/safe_write_steps.h"
#include "core/link/serial_port_opener.h"
#include "core/radio/new_image.h"
#include "core/sim/pty_radio.h"

using namespace radioprog;
using Seconds = std::chrono::duration<double>;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kRadios = 8;

RadioImage FleetMemory() {
    RadioImage memory = NewRadioImage(*PackPassword(""));
    for (std::size_t i = 0x10; i < 0x100; ++i) {
        memory[i] = static_cast<std::uint8_t>(i * 5 + 1);
    }
    return memory;
}

bool Holds(const RadioImage& radio, const RadioImage& memory) {
    return std::equal(memory.begin(), memory.begin() + image::kRadioBytes, radio.begin());
}

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

class Quiet final : public RadioStepObserver {
public:
    void Phase(FleetPhase) override {}
    bool AskRetry() override { return false; }
    std::optional<PackedPassword> ReLogin() override { return std::nullopt; }
    void ShowMessage(LinkMessage, const std::string& detail) override {
        std::fprintf(stderr, "message: %s\n", detail.c_str());
    }
};

class Records final : public FleetReporter {
public:
    void PortChanged(const PortState&) override {}
    void RadioFinished(const RadioRecord& record) override { records.push_back(record); }
    std::vector<RadioRecord> records;
};

std::unique_ptr<PtyRadio> Start(const SimFaults& faults = {}) {
    PtyRadio::Options options;
    options.baud = 9600;
    PtyRadio::Started started =
        PtyRadio::Start(RadioSimulator(NewRadioImage(*PackPassword("")), faults), options);
    if (!started.radio) {
        std::fprintf(stderr, "cannot start a radio: %s\n", started.error.c_str());
        std::exit(1);
    }
    return std::move(started.radio);
}

std::unique_ptr<PortOpener> NewOpener() {
    return std::make_unique<SerialPortOpener>([](int) { return std::string(); });
}

double SingleSafeWrite(const RadioImage& memory, const BackupStore& backups) {
    auto radio = Start();
    const SafeWriteSteps steps(memory, backups, true, Language::English);
    auto opener = NewOpener();
    LinkSession session;
    session.role = AccessRole::Admin;
    session.portName = radio->devicePath();
    Quiet quiet;
    const auto start = Clock::now();
    const RadioOutcome outcome = steps.Program(*opener, session, quiet);
    const double seconds = Seconds(Clock::now() - start).count();
    if (outcome.kind != RadioResultKind::Verified || !Holds(radio->memory(), memory)) {
        std::fprintf(stderr, "the single safe write was not verified\n");
        std::exit(1);
    }
    return seconds;
}

struct RunFigures {
    double seconds = 0;
    double processCpu = 0;
    std::vector<RadioRecord> records;
    FleetSummary summary;
    int falseSuccesses = 0;
    int logRows = 0;
};

int CountLogRows(const std::filesystem::path& log) {
    std::ifstream in(log);
    int lines = 0;
    for (std::string line; std::getline(in, line);) {
        ++lines;
    }
    return lines - 1;
}

RunFigures FleetOfEight(const RadioImage& memory, const BackupStore& backups,
                        const std::filesystem::path& logFile, int faultyIndex,
                        const SimFaults& faults, int count) {
    std::vector<std::unique_ptr<PtyRadio>> radios;
    FleetPlan plan;
    plan.login.role = AccessRole::Admin;
    plan.count = count;
    for (int i = 0; i < kRadios; ++i) {
        radios.push_back(Start(i == faultyIndex ? faults : SimFaults{}));
        plan.ports.push_back(radios.back()->devicePath());
    }
    const SafeWriteSteps steps(memory, backups, true, Language::English);
    FleetLog log;
    if (!log.Create(logFile, Language::English).ok()) {
        std::fprintf(stderr, "cannot make the log\n");
        std::exit(1);
    }
    Records records;
    FleetRun run(plan, steps, NewOpener, &log, records);
    RunFigures figures;
    const double cpuBefore = ProcessCpuSeconds();
    const auto start = Clock::now();
    run.Start();
    figures.summary = run.Wait();
    figures.seconds = Seconds(Clock::now() - start).count();
    figures.processCpu = ProcessCpuSeconds() - cpuBefore;
    figures.records = records.records;
    figures.logRows = CountLogRows(logFile);
    std::map<std::string, const PtyRadio*> byPort;
    for (const auto& radio : radios) {
        byPort[radio->devicePath()] = radio.get();
    }
    for (const RadioRecord& record : figures.records) {
        const bool holds = Holds(byPort.at(record.port)->memory(), memory);
        if (record.outcome.kind == RadioResultKind::Verified && !holds) {
            ++figures.falseSuccesses;
        }
    }
    return figures;
}

double MeanCpuMs(const std::vector<RadioRecord>& records) {
    double total = 0;
    for (const RadioRecord& record : records) {
        total += std::chrono::duration<double, std::milli>(record.cpuTime).count();
    }
    return records.empty() ? 0 : total / static_cast<double>(records.size());
}

void PrintFaultRun(const char* name, const RunFigures& run, int faultyIndex,
                   const std::string& faultyPort) {
    std::printf(
        "%-22s %d handled: %d verified, %d verify failed, %d incomplete, %d other; "
        "%d log rows, %d false successes, %.1f s\n",
        name, run.summary.handled, run.summary.verified, run.summary.verifyFailed,
        run.summary.incomplete, run.summary.otherFailures, run.logRows, run.falseSuccesses,
        run.seconds);
    for (const RadioRecord& record : run.records) {
        if (record.port == faultyPort) {
            std::printf("  radio %d: %s\n", faultyIndex + 1,
                        RadioResultText(record.outcome, Language::English).c_str());
        }
    }
}

}  // namespace

int main() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("radioprog-fleet-bench-" + std::to_string(getpid()));
    const BackupStore backups(folder / "backups");
    const RadioImage memory = FleetMemory();
    std::printf("load average before: %s\n", LoadAverage().c_str());

    const double single = SingleSafeWrite(memory, backups);
    std::printf("one radio's backup + write + verify at 9600 baud: %.2f s\n", single);

    const RunFigures clean = FleetOfEight(memory, backups, folder / "clean.csv", -1, {}, kRadios);
    std::printf(
        "8 radios on 8 ports in parallel: %.2f s, ratio %.3f (goal 1.15); %d verified, "
        "%d log rows, %d false successes\n",
        clean.seconds, clean.seconds / single, clean.summary.verified, clean.logRows,
        clean.falseSuccesses);
    std::printf(
        "processor time per radio: %.1f ms on its port's thread, %.1f ms of the whole "
        "process (simulated radios included)\n",
        MeanCpuMs(clean.records), clean.processCpu * 1000 / kRadios);
    std::printf("load average after the clean run: %s\n", LoadAverage().c_str());

    const int faulty = 3;
    SimFaults silent;
    silent.silent = true;
    SimFaults drop;
    drop.dropWrite = 0x40;
    SimFaults hangUp;
    hangUp.hangUpAfter = 124 + 60;  // the backup read, then 30 blocks of the write
    const struct {
        const char* name;
        SimFaults faults;
        int count;
    } runs[] = {
        {"one silent (count 7):", silent, kRadios - 1},
        {"one drops a write:", drop, kRadios},
        {"one hangs up mid-write:", hangUp, kRadios},
    };
    int bad = 0;
    for (const auto& r : runs) {
        const RunFigures run =
            FleetOfEight(memory, backups, folder / "fault.csv", faulty, r.faults, r.count);
        std::string faultyPort;
        for (const RadioRecord& record : run.records) {
            if (record.outcome.kind != RadioResultKind::Verified) {
                faultyPort = record.port;
            }
        }
        PrintFaultRun(r.name, run, faulty, faultyPort);
        bad += run.falseSuccesses + (run.summary.verified == kRadios - 1 ? 0 : 1) +
               (run.logRows == r.count ? 0 : 1);
    }
    std::printf("load average at the end: %s\n", LoadAverage().c_str());
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return bad == 0 && clean.falseSuccesses == 0 ? 0 : 1;
}
