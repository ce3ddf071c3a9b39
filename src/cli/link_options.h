#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <string>

#include "core/doc/app_context.h"
#include "core/link/block_transfer.h"
#include "core/link/port_opener.h"
#include "core/link/serial_port_opener.h"
#include "core/link/serial_trace.h"
#include "core/ports/diagnosing_opener.h"
#include "core/sim/pty_radio.h"
#include "password_source.h"

namespace radioprog::cli {

/// What every command that talks to the radio takes.
struct LinkOptions {
    std::string port;
    std::string role = "admin";
    PasswordSource password;
    std::optional<int> retries;
    std::string trace;  ///< --trace FILE: where the bytes of the exchanges go; empty for none
};

/// --port (required), --role (when @p withRole), --password, --retries and --trace.
void AddLinkOptions(CLI::App& sub, LinkOptions& options, bool withRole);
/// --trace FILE alone, for a command that talks to the radio without logging in.
void AddTraceOption(CLI::App& sub, LinkOptions& options);

/// The port of one run: the serial opener, or a demo radio started in this process for
/// `--port demo`; traced when --trace asks for it, and a failed open explained by the doctor.
/// Lives as long as the command; @p context must outlive it.
class PortSession {
public:
    PortSession(const AppContext& context, const LinkOptions& options,
                std::unique_ptr<PtyRadio> demoRadio);

    PortOpener& opener() { return m_explained.opener(); }

    /// The command's exit code once the trace, when one was asked for, is written: a trace that
    /// cannot be written is said and turns a success into a file error.
    int Finish(int exitCode);

private:
    std::unique_ptr<PtyRadio> m_demoRadio;
    SerialPortOpener m_serial;
    SerialTrace m_trace;
    ExplainedOpener m_explained;
    std::string m_traceFile;
    Language m_language;
};

/// Logs in with the options (role, password) and sets the current port; throws UsageError for
/// a password that is not up to six digits, FileError for a password file that cannot be read.
std::unique_ptr<PortSession> StartSession(const LinkOptions& options, AppContext& context);

/// The exit code of a transfer's end.
int ExitCodeFor(const TransferOutcome& outcome);

}  // namespace radioprog::cli
