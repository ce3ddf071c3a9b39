#include <pthread.h>

#include <CLI/CLI.hpp>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>

#include "core/base/version.h"
#include "core/doc/program_doc.h"
#include "core/radio/packed_password.h"
#include "core/sim/memory_file.h"
#include "core/sim/pty_radio.h"
#include "core/sim/radio_simulator.h"

namespace {

using namespace radioprog;

enum ExitCode {
    kExitOk = 0,
    kExitFailure = 1,
    kExitUsage = 2,
};

struct SimOptions {
    std::optional<std::string> memoryFile;
    int baud = 0;
    double delayMs =
        std::chrono::duration<double, std::milli>(PtyRadio::kDefaultAnswerDelay).count();
    std::optional<std::string> adminPassword;
    std::optional<std::string> userPassword;
    bool standardIdentity = false;
    std::optional<std::string> wrongAck;
    std::size_t radios = 1;
    double replugAfterMs = 2000;
    std::optional<std::string> dropWrite;
    std::optional<std::string> noiseBefore;
    std::optional<long> restartAfterWriteMs;
    SimFaults faults;
};

void AddOptions(CLI::App& app, SimOptions& options) {
    const CLI::Validator passwordDigits(
        [](const std::string& text) {
            return PackPassword(text) ? std::string() : std::string("takes up to six digits");
        },
        "");
    app.add_option("--memory", options.memoryFile,
                   "The radio's memory as a .dat file: loaded at start when it exists, saved "
                   "after every conversation that wrote to the radio and at the end")
        ->type_name("FILE");
    app.add_option("--baud", options.baud,
                   "Pace both directions like a wire of this many bits per second (9600 for "
                   "the real radio); 0 leaves the line as fast as it is")
        ->type_name("BAUD")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--delay", options.delayMs,
                   "Milliseconds from the last byte of a message to its answer")
        ->type_name("MS")
        ->check(CLI::NonNegativeNumber)
        ->capture_default_str();
    CLI::Option* admin =
        app.add_option("--admin-password", options.adminPassword, "Admin password (digits)")
            ->type_name("DIGITS")
            ->check(passwordDigits);
    CLI::Option* user =
        app.add_option("--user-password", options.userPassword, "User password (digits)")
            ->type_name("DIGITS")
            ->check(passwordDigits);
    app.add_flag("--standard-identity", options.standardIdentity,
                 "Answer with the standard identity, which needs no password")
        ->excludes(admin)
        ->excludes(user);

    app.add_option("--radios", options.radios,
                   "Radios that come one after another, each as new as the first: a radio is "
                   "taken away once the write to it was checked (at the end of the next "
                   "conversation) or on SIGUSR1, and the next one is plugged in")
        ->type_name("N")
        ->check(CLI::Range(std::size_t{1}, std::size_t{100000}))
        ->capture_default_str();
    app.add_option("--replug-after", options.replugAfterMs,
                   "Milliseconds between taking a radio away and plugging in the next")
        ->type_name("MS")
        ->check(CLI::NonNegativeNumber)
        ->capture_default_str();

    SimFaults& faults = options.faults;
    app.add_flag("--silent", faults.silent, "Fault: never answer")->group("Faults");
    app.add_option("--stop-after", faults.stopAfter,
                   "Fault: stop answering once N half-blocks were read or written")
        ->type_name("N")
        ->check(CLI::NonNegativeNumber)
        ->group("Faults");
    app.add_flag("--short-reply", faults.shortReadReply,
                 "Fault: answer reads with 11 bytes instead of 12")
        ->group("Faults");
    app.add_option("--wrong-ack", options.wrongAck,
                   "Fault: answer 15 instead of 06 at the handshake, the connection (the "
                   "default) or every block")
        ->type_name("WHERE")
        ->expected(0, 1)
        ->default_str("connection")
        ->check(CLI::IsMember({"handshake", "connection", "block"}))
        ->group("Faults");
    app.add_option("--garbage", faults.garbageSeed,
                   "Fault: put random bytes before some answers, from this seed")
        ->type_name("SEED")
        ->group("Faults");
    app.add_flag("--slow", faults.slow, "Fault: answer later than the program waits (400 ms)")
        ->group("Faults");
    app.add_option("--hang-up-after", faults.hangUpAfter,
                   "Fault: close the line at the next half-block once N were read or written")
        ->type_name("N")
        ->check(CLI::NonNegativeNumber)
        ->group("Faults");
    const CLI::Validator halfBlock(
        [](const std::string& text) {
            return ParseHalfBlockAddress(text)
                       ? std::string()
                       : std::string("takes a half-block address: a multiple of 8, 0 to 0x3D8");
        },
        "");
    app.add_option("--drop-write", options.dropWrite,
                   "Fault: answer 06 to a write of the half-block at ADDR but keep the old bytes")
        ->type_name("ADDR")
        ->check(halfBlock)
        ->group("Faults");
    app.add_option("--noise-before", options.noiseBefore,
                   "Fault: send a stray byte before the first read reply for ADDR of every "
                   "conversation")
        ->type_name("ADDR")
        ->check(halfBlock)
        ->group("Faults");
    app.add_option("--restart-after-write", options.restartAfterWriteMs,
                   "Fault: after a conversation that wrote, ignore handshakes for MS "
                   "milliseconds, as a radio that restarts")
        ->type_name("MS")
        ->check(CLI::NonNegativeNumber)
        ->group("Faults");
}

int Serve(SimOptions& options) {
    if (options.wrongAck) {
        static const std::map<std::string, AckFault> kWhere = {
            {"handshake", AckFault::kHandshake},
            {"connection", AckFault::kConnection},
            {"block", AckFault::kBlock}};
        options.faults.wrongAck = kWhere.at(*options.wrongAck);
    }
    // The option checks let only half-block addresses through.
    if (options.dropWrite) {
        options.faults.dropWrite = ParseHalfBlockAddress(*options.dropWrite);
    }
    if (options.noiseBefore) {
        options.faults.noiseBefore = ParseHalfBlockAddress(*options.noiseBefore);
    }
    if (options.restartAfterWriteMs) {
        options.faults.restartAfterWrite = std::chrono::milliseconds(*options.restartAfterWriteMs);
    }
    RadioImage memory = NewRadioImage(*PackPassword(""));
    std::error_code ignored;
    if (options.memoryFile && std::filesystem::exists(*options.memoryFile, ignored)) {
        if (Status loaded = LoadMemoryFile(*options.memoryFile, memory); !loaded) {
            std::cerr << loaded.message() << '\n';
            return kExitFailure;
        }
    }
    RadioSimulator simulator(memory, options.faults);
    if (options.standardIdentity) {
        simulator.UseStandardIdentity();
    }
    // The option checks let only packable passwords through.
    if (options.adminPassword) {
        simulator.SetAdminPassword(*PackPassword(*options.adminPassword));
    }
    if (options.userPassword) {
        simulator.SetUserPassword(*PackPassword(*options.userPassword));
    }

    PtyRadio::Options radioOptions;
    radioOptions.baud = options.baud;
    radioOptions.answerDelay = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::duration<double, std::milli>(options.delayMs));
    if (options.memoryFile) {
        radioOptions.memoryFile = *options.memoryFile;
    }
    radioOptions.radios = options.radios;
    radioOptions.replugAfter = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::duration<double, std::milli>(options.replugAfterMs));

    // Blocked before the worker thread starts, so that it inherits the mask and the signals
    // reach sigwait below and nothing else.
    sigset_t endSignals;
    sigemptyset(&endSignals);
    sigaddset(&endSignals, SIGINT);
    sigaddset(&endSignals, SIGTERM);
    sigaddset(&endSignals, SIGUSR1);
    pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);

    PtyRadio::Started started = PtyRadio::Start(simulator, radioOptions);
    if (!started.radio) {
        std::cerr << started.error << '\n';
        return kExitFailure;
    }
    std::cout << started.radio->devicePath() << std::endl;

    // SIGUSR1 unplugs the radio at the line, as a technician does between two radios.
    int received = 0;
    while (sigwait(&endSignals, &received) != 0 || received == SIGUSR1) {
        if (received == SIGUSR1) {
            started.radio->Unplug();
            received = 0;
        }
    }
    if (Status stopped = started.radio->Stop(); !stopped) {
        std::cerr << stopped.message() << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "radioprog-sim: a radio on a pseudo-terminal, for trying the programming software "
        "without one. Prints the device to open and serves it until interrupted."};
    app.set_version_flag("--version", VersionLine("radioprog-sim"));
    SimOptions options;
    AddOptions(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? kExitOk : kExitUsage;
    }
    return Serve(options);
}
