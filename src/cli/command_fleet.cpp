#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>

#include "commands.h"
#include "core/doc/backup_store.h"
#include "core/doc/port_map.h"
#include "core/fleet/fleet_log.h"
#include "core/fleet/fleet_run.h"
#include "core/fleet/fleet_texts.h"
#include "core/fleet/safe_write_steps.h"
#include "core/link/serial_port_opener.h"
#include "core/radio/image_doubts.h"
#include "core/sim/demo_memory.h"
#include "core/sim/pty_radio.h"
#include "fleet_display.h"
#include "link_options.h"
#include "password_source.h"

namespace radioprog::cli {
namespace {

constexpr const char* kDemoPort = "demo";
constexpr long kDrawEveryNs = 100'000'000;

struct FleetOptions {
    std::string file;
    std::vector<std::string> ports;
    std::optional<int> count;
    std::string role = "admin";
    PasswordSource password;
    bool noBackup = false;
    std::string log;
    bool json = false;
    bool force = false;
    std::optional<std::string> lang;
};

/// The ports as the threads open them: COM1 to COM4 through the bindings as they are now, so
/// that no thread reads the per-user store; every `demo` a radio of its own in this process.
struct FleetPorts {
    std::vector<std::string> names;
    PortBinding binding;
    std::vector<std::unique_ptr<PtyRadio>> demoRadios;
};

FleetPorts ResolvePorts(const FleetOptions& options, const AppContext& context) {
    FleetPorts ports;
    ports.binding = PortBindingSnapshot(context.userStore);
    std::set<std::string> devices;
    for (const std::string& port : options.ports) {
        std::string name = port;
        if (port == kDemoPort) {
            PtyRadio::Started started = PtyRadio::Start(RadioSimulator(DemoMemory()), {});
            if (!started.radio) {
                throw UsageError("the demo radio could not be started: " + started.error);
            }
            name = started.radio->devicePath();
            ports.demoRadios.push_back(std::move(started.radio));
        }
        // Two threads on one line would take each other's answers.
        if (!devices.insert(ResolvePortDevice(name, ports.binding)).second) {
            throw UsageError("--port " + port + " is given twice");
        }
        ports.names.push_back(name);
    }
    return ports;
}

Status CreateLog(FleetLog& log, const FleetOptions& options, Language language) {
    if (!options.log.empty()) {
        return log.Create(options.log, language);
    }
    return log.CreateIn(FleetLogFolder(), FleetClock::now(), language);
}

int ExitCodeFor(const FleetSummary& summary) {
    if (summary.verifyFailed > 0) {
        return kExitVerifyFailed;
    }
    if (summary.incomplete > 0) {
        return kExitIncomplete;
    }
    if (summary.firstOtherFailure) {
        switch (*summary.firstOtherFailure) {
            case RadioResultKind::PasswordError:
                return kExitPasswordError;
            case RadioResultKind::PortError:
                return kExitPortError;
            case RadioResultKind::BackupFailed:
                return kExitFileError;
            default:
                return kExitCommunicationError;
        }
    }
    return summary.logError.empty() ? kExitOk : kExitFileError;
}

/// Runs until every port finished, drawing as it goes; Ctrl+C or SIGTERM cancels. The signals
/// are blocked before the ports' threads start so that only this thread ever takes them.
FleetSummary RunWithDisplay(FleetRun& run, FleetDisplay& display) {
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGINT);
    sigaddset(&stops, SIGTERM);
    sigset_t before;
    pthread_sigmask(SIG_BLOCK, &stops, &before);
    run.Start();
    const timespec pace{0, kDrawEveryNs};
    while (!run.Finished()) {
        if (sigtimedwait(&stops, nullptr, &pace) > 0) {
            run.Cancel();
        }
        display.Draw();
    }
    const FleetSummary summary = run.Wait();
    display.Finish();
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return summary;
}

void PrintSummary(const FleetSummary& summary, const FleetLog& log, bool json, Language language) {
    if (json) {
        nlohmann::json out = {{"summary",
                               {{"handled", summary.handled},
                                {"verified", summary.verified},
                                {"verifyFailed", summary.verifyFailed},
                                {"incomplete", summary.incomplete},
                                {"otherFailures", summary.otherFailures},
                                {"cancelled", summary.cancelled}}},
                              {"log", log.path().string()}};
        std::cout << out.dump() << '\n';
    }
    Report(FleetSummaryText(summary, language));
    Report(std::string(BilingualText{"Log: ", "日志："}.In(language)) + log.path().string());
    if (!summary.logError.empty()) {
        Report(summary.logError);
    }
}

int RunFleet(const GlobalOptions& global, const FleetOptions& options) {
    auto context = MakeContext(global, options.lang);
    const Language language = context->language;
    CProgramDoc doc;
    if (Status opened = OpenDocument(options.file, *context, doc); !opened) {
        Report(opened.message());
        return kExitFileError;
    }
    if (!ImageDoubts(doc.image(), language).empty() && !options.force) {
        Report(std::string(BilingualText{"Give --force to write it to the radios anyway",
                                         "如仍要写入对讲机，请加 --force"}
                               .In(language)));
        return kExitFileError;
    }
    if (options.count && *options.count < 1) {
        throw UsageError("--count takes 1 or more");
    }
    FleetPlan plan;
    plan.login.role = options.role == "user" ? AccessRole::User : AccessRole::Admin;
    plan.login.loginPassword = LoginPassword(options.password, language);
    plan.count = options.count.value_or(0);
    plan.language = language;
    FleetPorts ports = ResolvePorts(options, *context);
    plan.ports = ports.names;

    FleetLog log;
    if (Status created = CreateLog(log, options, language); !created) {
        Report(created.message());
        return kExitFileError;
    }
    const BackupStore backups(BackupStore::DefaultFolder(), StoredBackupLimits(context->userStore));
    const SafeWriteSteps steps(doc.image(), backups, !options.noBackup, language);
    FleetDisplay display(plan.ports, language, ::isatty(STDERR_FILENO) == 1, options.json);
    const PortBinding binding = ports.binding;
    FleetRun run(
        plan, steps, [binding] { return std::make_unique<SerialPortOpener>(binding); }, &log,
        display);
    const FleetSummary summary = RunWithDisplay(run, display);
    PrintSummary(summary, log, options.json, language);
    return ExitCodeFor(summary);
}

}  // namespace

Subcommand AddFleetCommand(CLI::App& app, const GlobalOptions& global) {
    auto options = std::make_shared<FleetOptions>();
    CLI::App* sub = app.add_subcommand(
        "fleet",
        "Write one .dat file to many radios, on several ports at once and one radio after another "
        "on each: every radio backed up, written, verified and logged");
    sub->add_option("file", options->file, "The .dat file")->required();
    sub->add_option("--port", options->ports,
                    "A port to program radios on (COM1-COM4, a device such as /dev/ttyUSB0, or "
                    "\"demo\"); give it once for each port")
        ->required()
        ->expected(1)
        ->allow_extra_args(false)
        ->take_all();
    sub->add_option("--count", options->count,
                    "Radios to handle in all, whatever their results (default: one per port)");
    sub->add_option("--role", options->role, "Log in as admin (default) or user")
        ->check(CLI::IsMember({"admin", "user"}));
    AddPasswordOptions(*sub, options->password, "Login password of the radios, up to six digits");
    sub->add_flag("--no-backup", options->noBackup,
                  "Do not read and keep each radio's memory before writing it");
    sub->add_option("--log", options->log,
                    "The log file (default: $XDG_DATA_HOME/radioprog/fleet/YYYYMMDDTHHMMSS.csv)");
    sub->add_flag("--json", options->json,
                  "One JSON object per finished radio on standard output, then the summary");
    sub->add_flag("--force", options->force,
                  "Write a file whose band or identity no radio has (most likely not a radio "
                  "file)");
    sub->add_option("--lang", options->lang, "Language of the messages: en or zh")
        ->check(CLI::IsMember({"en", "zh"}));
    return {sub, [&global, options] { return RunFleet(global, *options); }};
}

}  // namespace radioprog::cli
