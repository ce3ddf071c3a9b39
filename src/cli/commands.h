#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <vector>

#include "cli_common.h"

namespace radioprog::cli {

/// A subcommand and what runs it after a successful parse; `run` returns the exit code.
struct Subcommand {
    CLI::App* app;
    std::function<int()> run;
};

Subcommand AddNewCommand(CLI::App& app, const GlobalOptions& global);
Subcommand AddShowCommand(CLI::App& app, const GlobalOptions& global);
Subcommand AddSetCommand(CLI::App& app, const GlobalOptions& global);
Subcommand AddReadCommand(CLI::App& app, const GlobalOptions& global);
Subcommand AddWriteCommand(CLI::App& app, const GlobalOptions& global);
Subcommand AddExportCommand(CLI::App& app, const GlobalOptions& global);
Subcommand AddImportCommand(CLI::App& app, const GlobalOptions& global);
std::vector<Subcommand> AddPasswordCommands(CLI::App& app, const GlobalOptions& global);
/// `ports`, `ports bind` and `ports unbind`; the more particular ones first.
std::vector<Subcommand> AddPortsCommands(CLI::App& app, const GlobalOptions& global);
Subcommand AddDoctorCommand(CLI::App& app, const GlobalOptions& global);
Subcommand AddBackupsCommand(CLI::App& app, const GlobalOptions& global);
Subcommand AddDiffCommand(CLI::App& app, const GlobalOptions& global);
Subcommand AddFleetCommand(CLI::App& app, const GlobalOptions& global);
#ifdef RADIOPROG_CLI_REPORT
Subcommand AddReportCommand(CLI::App& app, const GlobalOptions& global);
#endif

}  // namespace radioprog::cli
