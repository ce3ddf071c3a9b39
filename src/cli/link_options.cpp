#include "link_options.h"

#include "cli_common.h"
#include "core/base/atomic_file.h"
#include "core/doc/port_map.h"
#include "core/sim/demo_faults.h"
#include "core/sim/demo_memory.h"

namespace radioprog::cli {
namespace {

constexpr const char* kDemoPort = "demo";
// A command's whole trace: a read is about 1,000 records, a write with a few retries some more.
constexpr std::size_t kTraceLimit = 200000;
constexpr int kMostRetries = 99;

std::unique_ptr<PtyRadio> StartDemoRadio(AppContext& context) {
    std::string faultError;
    const std::optional<SimFaults> faults = DemoFaultsFromEnvironment(faultError);
    if (!faults) {
        throw UsageError("the demo radio could not be started: " + faultError);
    }
    PtyRadio::Started started = PtyRadio::Start(RadioSimulator(DemoMemory(), *faults), {});
    if (!started.radio) {
        throw UsageError("the demo radio could not be started: " + started.error);
    }
    context.link.portName = started.radio->devicePath();
    return std::move(started.radio);
}

}  // namespace

void AddTraceOption(CLI::App& sub, LinkOptions& options) {
    sub.add_option("--trace", options.trace,
                   "Write every byte sent and received, with its time and step, to this file; it "
                   "holds the radio's identity record and so its passwords");
}

void AddLinkOptions(CLI::App& sub, LinkOptions& options, bool withRole) {
    sub.add_option("--port", options.port,
                   "COM1-COM4, a device such as /dev/ttyUSB0, or \"demo\" for a built-in radio")
        ->required();
    if (withRole) {
        sub.add_option("--role", options.role, "Log in as admin (default) or user")
            ->check(CLI::IsMember({"admin", "user"}));
    }
    AddPasswordOptions(sub, options.password, "Login password, up to six digits");
    sub.add_option("--retries", options.retries,
                   "How often to answer Retry to a communication error, 0 to 99 (default: ask "
                   "on a terminal, else never)");
    AddTraceOption(sub, options);
}

// A radio with the demo memory on a pseudo-terminal of this process is reached through the real
// serial port like any other.
PortSession::PortSession(const AppContext& context, const LinkOptions& options,
                         std::unique_ptr<PtyRadio> demoRadio)
    : m_demoRadio(std::move(demoRadio)),
      m_serial(StoredPortBinding(context.userStore)),
      m_trace(SerialTrace::Keep::AllExchanges, kTraceLimit),
      m_explained(m_serial, options.trace.empty() ? nullptr : &m_trace, context.system,
                  context.language),
      m_traceFile(options.trace),
      m_language(context.language) {}

int PortSession::Finish(int exitCode) {
    if (m_traceFile.empty()) {
        return exitCode;
    }
    if (Status written = WriteFileAtomically(m_traceFile, m_trace.Text(m_language)); !written) {
        Report(written.message());
        return exitCode == kExitOk ? kExitFileError : exitCode;
    }
    return exitCode;
}

std::unique_ptr<PortSession> StartSession(const LinkOptions& options, AppContext& context) {
    if (options.retries && (*options.retries < 0 || *options.retries > kMostRetries)) {
        throw UsageError("--retries takes 0 to " + std::to_string(kMostRetries));
    }
    context.link.loginPassword = LoginPassword(options.password, context.language);
    context.link.role = options.role == "user" ? AccessRole::User : AccessRole::Admin;
    std::unique_ptr<PtyRadio> demoRadio;
    if (options.port == kDemoPort) {
        demoRadio = StartDemoRadio(context);
    } else {
        context.link.portName = options.port;
    }
    return std::make_unique<PortSession>(context, options, std::move(demoRadio));
}

int ExitCodeFor(const TransferOutcome& outcome) {
    using Kind = TransferOutcome::Kind;
    switch (outcome.kind) {
        case Kind::Complete:
            return kExitOk;
        case Kind::Incomplete:
        case Kind::Cancelled:
            return kExitIncomplete;
        case Kind::NotConnected:
            break;
    }
    switch (outcome.connectEnd.value_or(ConnectEnd::CommunicationError)) {
        case ConnectEnd::PortError:
            return kExitPortError;
        case ConnectEnd::PasswordRefused:
            return kExitPasswordError;
        case ConnectEnd::Cancelled:
        case ConnectEnd::CommunicationError:
        case ConnectEnd::ProgramInterrupt:
            break;
    }
    return kExitCommunicationError;
}

}  // namespace radioprog::cli
