#include "link_options.h"

#include "cli_common.h"
#include "core/doc/port_map.h"
#include "core/link/serial_port_opener.h"
#include "core/sim/demo_memory.h"
#include "core/sim/pty_radio.h"

namespace radioprog::cli {
namespace {

constexpr const char* kDemoPort = "demo";

class SerialSession : public PortSession {
public:
    explicit SerialSession(const UserStore& store) : m_opener(StoredPortBinding(store)) {}
    PortOpener& opener() override { return m_opener; }

private:
    SerialPortOpener m_opener;
};

// A radio with the demo memory on a pseudo-terminal of this process, reached through the real
// serial port like any other.
class DemoSession : public PortSession {
public:
    DemoSession(std::unique_ptr<PtyRadio> radio, const UserStore& store)
        : m_radio(std::move(radio)), m_opener(StoredPortBinding(store)) {}
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
    context.link.portName = started.radio->devicePath();
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
    AddPasswordOptions(sub, options.password, "Login password, up to six digits");
    sub.add_option("--retries", options.retries,
                   "How often to answer Retry to a communication error (default: ask on a "
                   "terminal, else never)")
        ->check(CLI::NonNegativeNumber);
}

std::unique_ptr<PortSession> StartSession(const LinkOptions& options, AppContext& context) {
    context.link.loginPassword = LoginPassword(options.password, context.language);
    context.link.role = options.role == "user" ? AccessRole::User : AccessRole::Admin;
    if (options.port == kDemoPort) {
        return StartDemoSession(context);
    }
    context.link.portName = options.port;
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
