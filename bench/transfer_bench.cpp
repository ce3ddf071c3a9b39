// Full read and full write against the simulated radio on a pseudo-terminal, through the real
// serial port. With 9600-baud pacing the time is compared with its floor: the bytes on the
// wire at 960 per second, the radio's answer delays and the pauses the protocol mandates.
// Without pacing, what is left after the delays and pauses is the program's own overhead; the
// same run with a serial trace shows what keeping every byte costs.
#include <sys/prctl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "core/doc/app_context.h"
#include "core/doc/port_map.h"
#include "core/doc/safe_write.h"
#include "core/link/block_transfer.h"
#include "core/link/serial_port_opener.h"
#include "core/link/serial_trace.h"
#include "core/sim/pty_radio.h"
#include "core/sim/radio_simulator.h"

using namespace radioprog;
using Seconds = std::chrono::duration<double>;

namespace {

class QuietObserver : public LinkObserver {
public:
    bool AskRetry() override { return false; }
    std::optional<PackedPassword> ReLogin() override { return std::nullopt; }
    void ShowMessage(LinkMessage, const std::string& detail) override {
        std::fprintf(stderr, "message: %s\n", detail.c_str());
    }
};

struct Cost {
    int wireBytes;
    int answers;
    double pausesMs;
    double hiddenPausesMs;  ///< pauses that pass while earlier bytes are still on the wire
};

using Clock = std::chrono::steady_clock;

/// Time spent waiting: in reads (for the radio) and in the protocol's pauses.
struct Waits {
    Clock::duration reading{};
    Clock::duration pausing{};
};

class TimedPort : public RadioPort {
public:
    TimedPort(std::unique_ptr<RadioPort> port, Waits& waits)
        : m_port(std::move(port)), m_waits(waits) {}
    ReadResult Read(std::size_t count) override {
        const auto start = Clock::now();
        ReadResult result = m_port->Read(count);
        m_waits.reading += Clock::now() - start;
        return result;
    }
    bool Write(std::span<const std::uint8_t> bytes) override { return m_port->Write(bytes); }
    void PurgeInput() override { m_port->PurgeInput(); }
    void Sleep(Milliseconds duration) override {
        const auto start = Clock::now();
        m_port->Sleep(duration);
        m_waits.pausing += Clock::now() - start;
    }
    Milliseconds Now() const override { return m_port->Now(); }

private:
    std::unique_ptr<RadioPort> m_port;
    Waits& m_waits;
};

class TimedOpener : public PortOpener {
public:
    TimedOpener(PortOpener& opener, Waits& waits) : m_opener(opener), m_waits(waits) {}
    Opened Open(const std::string& portName, const TimeoutProfile& profile) override {
        Opened opened = m_opener.Open(portName, profile);
        if (opened.port) {
            opened.port = std::make_unique<TimedPort>(std::move(opened.port), m_waits);
        }
        return opened;
    }

private:
    PortOpener& m_opener;
    Waits& m_waits;
};

struct Run {
    double seconds = -1;
    Waits waits;
};

constexpr int kHalfBlocks = 124;
// Connection: handshake (8 out, 1 in), identity (1 out, 8 in), ACK (1 out, 1 in); three answers;
// six 1 ms pump pauses, eight 2 ms handshake pauses and three 1 ms pauses. Seven handshake bytes
// cross the wire during the pause before the next one, so they add no time of their own.
constexpr Cost kConnection{20 - 7, 3, 6 + 16 + 3, 0};

Cost CostOf(TransferDirection direction) {
    if (direction == TransferDirection::Read) {
        // Per half-block: command 4 out, reply 12 in, ACK 1 out, ACK 1 in; two answers; one
        // 1 ms pause before each ACK and one between the halves of a block.
        return {kConnection.wireBytes + kHalfBlocks * 18, kConnection.answers + kHalfBlocks * 2,
                kConnection.pausesMs + kHalfBlocks * 1.5, 0};
    }
    // Per half-block: command and data 12 out, ACK 1 in; one answer. The 1 ms pause between
    // the command and the data of a second half passes while the command is still on the wire,
    // so it costs nothing on top.
    return {kConnection.wireBytes + kHalfBlocks * 13, kConnection.answers + kHalfBlocks,
            kConnection.pausesMs + kHalfBlocks / 2, kHalfBlocks / 2};
}

// A memory whose every byte tells its address, so that a shifted byte would show.
RadioImage CountingMemory() {
    RadioImage memory;
    for (std::size_t i = 0; i < memory.size(); ++i) {
        memory[i] = static_cast<std::uint8_t>(i);
    }
    return memory;
}

Run RunOnce(TransferDirection direction, int baud, std::chrono::microseconds answerDelay,
            SerialTrace* trace = nullptr) {
    Run run;
    RadioSimulator simulator(CountingMemory());
    simulator.UseStandardIdentity();
    PtyRadio::Options options;
    options.baud = baud;
    options.answerDelay = answerDelay;
    PtyRadio::Started started = PtyRadio::Start(simulator, options);
    if (!started.radio) {
        std::fprintf(stderr, "cannot start the radio: %s\n", started.error.c_str());
        return run;
    }
    AppContext context("/nonexistent/radioprog-bench/user.ini");
    context.link.role = AccessRole::Admin;
    context.link.portName = started.radio->devicePath();
    SerialPortOpener serial(StoredPortBinding(context.userStore));
    std::optional<TracingPortOpener> traced;
    if (trace != nullptr) {
        traced.emplace(serial, *trace);
    }
    TimedOpener opener(traced ? static_cast<PortOpener&>(*traced) : serial, run.waits);
    QuietObserver observer;
    RadioImage image{};
    const auto start = std::chrono::steady_clock::now();
    const TransferOutcome outcome = TransferImage(direction, image, opener, context.link, observer);
    const Seconds elapsed = std::chrono::steady_clock::now() - start;
    if (outcome.kind != TransferOutcome::Kind::Complete) {
        std::fprintf(stderr, "transfer did not complete (%d blocks)\n", outcome.blocksDone);
        return run;
    }
    run.seconds = elapsed.count();
    return run;
}

class QuietSafeObserver : public SafeWriteObserver {
public:
    bool AskRetry() override { return false; }
    std::optional<PackedPassword> ReLogin() override { return std::nullopt; }
    void ShowMessage(LinkMessage, const std::string& detail) override {
        std::fprintf(stderr, "message: %s\n", detail.c_str());
    }
};

double FloorOf(TransferDirection direction, std::chrono::microseconds answerDelay) {
    const Cost cost = CostOf(direction);
    return cost.wireBytes / 960.0 +
           cost.answers * std::chrono::duration<double>(answerDelay).count() +
           (cost.pausesMs - cost.hiddenPausesMs) / 1000.0;
}

// The safe write at 9600 baud: the backup read, the write and the verify read, with the backup
// kept in a file, against the sum of the three transfers' floors.
double RunSafeWrite(std::chrono::microseconds answerDelay) {
    RadioSimulator simulator(CountingMemory());
    simulator.UseStandardIdentity();
    PtyRadio::Options options;
    options.baud = 9600;
    options.answerDelay = answerDelay;
    PtyRadio::Started started = PtyRadio::Start(simulator, options);
    if (!started.radio) {
        std::fprintf(stderr, "cannot start the radio: %s\n", started.error.c_str());
        return -1;
    }
    char folder[] = "/tmp/radioprog-bench-XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        return -1;
    }
    AppContext context("/nonexistent/radioprog-bench/user.ini");
    context.link.role = AccessRole::Admin;
    context.link.portName = started.radio->devicePath();
    SerialPortOpener serial(StoredPortBinding(context.userStore));
    const BackupStore backups(std::filesystem::path(folder) / "backups");
    QuietSafeObserver observer;
    RadioImage image = simulator.memory();  // with the identity the radio answers with
    image[0x20] ^= 0xFF;
    const auto start = std::chrono::steady_clock::now();
    const SafeWriteResult result =
        SafeWrite(image, serial, context.link, backups, SafeWriteOptions{}, observer);
    const Seconds elapsed = std::chrono::steady_clock::now() - start;
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    if (result.kind != SafeWriteResult::Kind::Verified) {
        std::fprintf(stderr, "the safe write did not verify\n");
        return -1;
    }
    return elapsed.count();
}

}  // namespace

double Us(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

int main() {
    // The default 50 us timer slack would be counted against the program on every pause and
    // every answer of the radio; the benchmark measures the program, not the kernel's batching.
    ::prctl(PR_SET_TIMERSLACK, 1UL);
    const std::chrono::microseconds delay = PtyRadio::kDefaultAnswerDelay;
    const double delayS = std::chrono::duration<double>(delay).count();
    int failures = 0;
    for (const auto direction : {TransferDirection::Read, TransferDirection::Write}) {
        const char* name = direction == TransferDirection::Read ? "read" : "write";
        const Cost cost = CostOf(direction);

        const Run paced = RunOnce(direction, 9600, delay);
        const double floor = cost.wireBytes / 960.0 + cost.answers * delayS +
                             (cost.pausesMs - cost.hiddenPausesMs) / 1000.0;
        std::printf("%-5s at 9600 baud: %.3f s, floor %.3f s, ratio %.3f\n", name, paced.seconds,
                    floor, paced.seconds / floor);

        const Run fast = RunOnce(direction, 0, delay);
        const double mandated = cost.answers * delayS + cost.pausesMs / 1000.0;
        const double beyond = (fast.seconds - mandated) / kHalfBlocks * 1e6;
        const double own =
            (fast.seconds * 1e6 - Us(fast.waits.reading) - Us(fast.waits.pausing)) / kHalfBlocks;
        const double pauseExcess = (Us(fast.waits.pausing) - cost.pausesMs * 1000) / kHalfBlocks;
        const double readExcess =
            (Us(fast.waits.reading) - cost.answers * delayS * 1e6) / kHalfBlocks;
        std::printf(
            "%-5s unpaced:      %.3f s, mandated %.3f s; per half-block beyond the mandated: "
            "%.0f us = %.0f us own work + %.0f us pauses overrun + %.0f us waiting for answers "
            "beyond the radio's delay\n",
            name, fast.seconds, mandated, beyond, own, pauseExcess, readExcess);
        SerialTrace trace(SerialTrace::Keep::AllExchanges);
        const Run traced = RunOnce(direction, 0, delay, &trace);
        const double tracedOwn =
            (traced.seconds * 1e6 - Us(traced.waits.reading) - Us(traced.waits.pausing)) /
            kHalfBlocks;
        std::size_t records = 0;
        for (const TraceExchange& exchange : trace.exchanges()) {
            records += exchange.records.size();
        }
        std::printf(
            "%-5s traced:       %.3f s; own work %.0f us per half-block (%.0f untraced), "
            "%zu records, %zu bytes of text\n",
            name, traced.seconds, tracedOwn, own, records, trace.Text(Language::English).size());
        failures += paced.seconds < 0 || fast.seconds < 0 || traced.seconds < 0;
    }
    const double safeFloor =
        2 * FloorOf(TransferDirection::Read, delay) + FloorOf(TransferDirection::Write, delay);
    const double safe = RunSafeWrite(delay);
    std::printf(
        "safe write at 9600 baud: %.3f s, floor %.3f s (backup read + write + verify "
        "read), ratio %.3f\n",
        safe, safeFloor, safe / safeFloor);
    failures += safe < 0;
    return failures == 0 ? 0 : 1;
}
