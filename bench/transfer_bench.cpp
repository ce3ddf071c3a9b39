// Full read and full write against the simulated radio on a pseudo-terminal, through the real
// serial port. With 9600-baud pacing the time is compared with its floor: the bytes on the
// wire at 960 per second, the radio's answer delays and the pauses the protocol mandates.
// Without pacing, what is left after the delays and pauses is the program's own overhead.
#include <chrono>
#include <cstdio>
#include <optional>

#include "doc/app_context.h"
#include "link/block_transfer.h"
#include "link/serial_port_opener.h"
#include "sim/pty_radio.h"
#include "sim/radio_simulator.h"

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
};

constexpr int kHalfBlocks = 124;
// Connection: handshake (8 out, 1 in), identity (1 out, 8 in), ACK (1 out, 1 in); three answers;
// six 1 ms pump pauses, eight 2 ms handshake pauses and three 1 ms pauses.
constexpr Cost kConnection{20, 3, 6 + 16 + 3};

Cost CostOf(TransferDirection direction) {
    if (direction == TransferDirection::Read) {
        // Per half-block: command 4 out, reply 12 in, ACK 1 out, ACK 1 in; two answers; one
        // 1 ms pause before each ACK and one between the halves of a block.
        return {kConnection.wireBytes + kHalfBlocks * 18, kConnection.answers + kHalfBlocks * 2,
                kConnection.pausesMs + kHalfBlocks * 1.5};
    }
    // Per half-block: command and data 12 out, ACK 1 in; one answer; a 1 ms pause inside the
    // second half of each block.
    return {kConnection.wireBytes + kHalfBlocks * 13, kConnection.answers + kHalfBlocks,
            kConnection.pausesMs + kHalfBlocks * 0.5};
}

double RunOnce(TransferDirection direction, int baud, std::chrono::microseconds answerDelay) {
    RadioImage memory;
    for (std::size_t i = 0; i < memory.size(); ++i) {
        memory[i] = static_cast<std::uint8_t>(i);
    }
    RadioSimulator simulator(memory);
    simulator.UseStandardIdentity();
    PtyRadio::Options options;
    options.baud = baud;
    options.answerDelay = answerDelay;
    PtyRadio::Started started = PtyRadio::Start(simulator, options);
    if (!started.radio) {
        std::fprintf(stderr, "cannot start the radio: %s\n", started.error.c_str());
        return -1;
    }
    AppContext context("/nonexistent/radioprog-bench/user.ini");
    context.accessRole = 1;
    context.portName = started.radio->devicePath();
    SerialPortOpener opener(context.userStore);
    QuietObserver observer;
    RadioImage image{};
    const auto start = std::chrono::steady_clock::now();
    const TransferOutcome outcome = TransferImage(direction, image, opener, context, observer);
    const Seconds elapsed = std::chrono::steady_clock::now() - start;
    if (outcome.kind != TransferOutcome::Kind::Complete) {
        std::fprintf(stderr, "transfer did not complete (%d blocks)\n", outcome.blocksDone);
        return -1;
    }
    return elapsed.count();
}

}  // namespace

int main() {
    const std::chrono::microseconds delay = PtyRadio::kDefaultAnswerDelay;
    const double delayS = std::chrono::duration<double>(delay).count();
    int failures = 0;
    std::printf("%-6s %-8s %10s %10s %8s\n", "", "pacing", "measured", "floor", "ratio");
    for (const auto direction : {TransferDirection::Read, TransferDirection::Write}) {
        const char* name = direction == TransferDirection::Read ? "read" : "write";
        const Cost cost = CostOf(direction);
        const double measured = RunOnce(direction, 9600, delay);
        const double floor =
            cost.wireBytes / 960.0 + cost.answers * delayS + cost.pausesMs / 1000.0;
        std::printf("%-6s %-8s %9.3fs %9.3fs %8.3f\n", name, "9600", measured, floor,
                    measured / floor);
        const double fast = RunOnce(direction, 0, delay);
        const double mandated = cost.answers * delayS + cost.pausesMs / 1000.0;
        const double overheadUs = (fast - mandated) / kHalfBlocks * 1e6;
        std::printf("%-6s %-8s %9.3fs %9.3fs   overhead %.0f us per half-block\n", name, "off",
                    fast, mandated, overheadUs);
        failures += measured < 0 || fast < 0;
    }
    return failures == 0 ? 0 : 1;
}
