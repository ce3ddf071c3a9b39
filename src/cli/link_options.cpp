#include "link_options.h"

#include "cli_common.h"
#include "link/serial_port_opener.h"
#include "sim/demo_memory.h"
#include "sim/pty_radio.h"

namespace radioprog::cli {
namespace {

constexpr const char* kDemoPort = "demo";
constexpr int kMostRetries = 99;

class SerialSession : public PortSession {
public:
    explicit SerialSession(const UserStore& store) : m_opener(store) {}
    PortOpener& opener() override { return m_opener; }

private:
    SerialPortOpener m_opener;
};

// A radio with the demo memory on a pseudo-terminal of this process, reached through the real
// serial port like any other.
class DemoSession : public PortSession {
public:
    DemoSession(std::unique_ptr<PtyRadio> radio, const UserStore& store)
        : m_radio(std::move(radio)), m_opener(store) {}
    PortOpener& opener() override { return m_opener; }

private:
    std::unique_ptr<PtyRadio> m_radio;
    SerialPortOpener m_opener;
};

std::unique_ptr<PortSession> StartDemoSession(AppContext& context) {
    PtyRadio::Started started = PtyRadio::Start(RadioSimulator(DemoMemory()), {});
    if (!started.radio) {
        throw UsageError("the demo radio could not be started: " + started.error);
    }
    context.portName = started.radio->devicePath();
    return std::make_unique<DemoSession>(std::move(started.radio), context.userStore);
}

}  // namespace

void AddLinkOptions(CLI::App& sub, LinkOptions& options, bool withRole) {
    sub.add_option("--port", options.port,
                   "COM1-COM4, a device such as /dev/ttyUSB0, or \"demo\" for a built-in radio")
        ->required();
    if (withRole) {
        sub.add_option("--role", options.role, "Log in as admin (default) or user")
            ->check(CLI::IsMember({"admin", "user"}));
    }
    sub.add_option("--password", options.password, "Login password, up to six digits");
    sub.add_option("--retries", options.retries,
                   "How often to answer Retry to a communication error, 0 to 99 (default: ask "
                   "on a terminal, else never)");
}

std::unique_ptr<PortSession> StartSession(const LinkOptions& options, AppContext& context) {
    if (options.retries && (*options.retries < 0 || *options.retries > kMostRetries)) {
        throw UsageError("--retries takes 0 to " + std::to_string(kMostRetries));
    }
    const auto password = PackPassword(options.password);
    if (!password) {
        throw UsageError("--password takes up to six digits");
    }
    context.loginPassword = *password;
    context.accessRole = options.role == "user" ? 0 : 1;
    if (options.port == kDemoPort) {
        return StartDemoSession(context);
    }
    context.portName = options.port;
    return std::make_unique<SerialSession>(context.userStore);
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
