#pragma once

#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <string>

#include "core/doc/app_context.h"
#include "core/link/block_transfer.h"
#include "core/link/port_opener.h"
#include "password_source.h"

namespace radioprog::cli {

/// What every command that talks to the radio takes.
struct LinkOptions {
    std::string port;
    std::string role = "admin";
    PasswordSource password;
    std::optional<int> retries;
};

void AddLinkOptions(CLI::App& sub, LinkOptions& options, bool withRole);

/// The port of one run: the serial opener, or a demo radio started in this process for
/// `--port demo`. Lives as long as the command.
class PortSession {
public:
    virtual ~PortSession() = default;
    virtual PortOpener& opener() = 0;
};

/// Logs in with the options (role, password) and sets the current port; throws UsageError for
/// a password that is not up to six digits, FileError for a password file that cannot be read.
std::unique_ptr<PortSession> StartSession(const LinkOptions& options, AppContext& context);

/// The exit code of a transfer's end.
int ExitCodeFor(const TransferOutcome& outcome);

}  // namespace radioprog::cli
