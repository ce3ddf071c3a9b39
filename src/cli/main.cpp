#include <CLI/CLI.hpp>
#include <vector>

#include "commands.h"
#include "core/base/locale_language.h"
#include "core/base/version.h"

int main(int argc, char** argv) {
    using namespace radioprog::cli;
    CLI::App app{"radioprog-cli: read, edit and write the memory of the 16-channel VHF radio"};
    app.require_subcommand(1);
    app.set_version_flag("--version", radioprog::VersionLine("radioprog-cli"));
    app.footer(ExitCodeList(radioprog::LanguageOfEnvironment()));
    GlobalOptions global;
    app.add_option("--appdir", global.appDir, "Folder that holds Program.ini");
    app.add_option("--system-root", global.systemRoot,
                   "Look for serial ports, processes, groups and udev rules under this folder "
                   "instead of /, as in a mounted image of another system");

    std::vector<Subcommand> commands = {
        AddNewCommand(app, global),    AddShowCommand(app, global),  AddSetCommand(app, global),
        AddReadCommand(app, global),   AddWriteCommand(app, global), AddExportCommand(app, global),
        AddImportCommand(app, global),
    };
    for (Subcommand& command : AddPasswordCommands(app, global)) {
        commands.push_back(std::move(command));
    }
    for (Subcommand& command : AddPortsCommands(app, global)) {
        commands.push_back(std::move(command));
    }
    commands.push_back(AddDoctorCommand(app, global));
    commands.push_back(AddBackupsCommand(app, global));
    commands.push_back(AddDiffCommand(app, global));
    commands.push_back(AddFleetCommand(app, global));
#ifdef RADIOPROG_CLI_REPORT
    commands.push_back(AddReportCommand(app, global));
#endif
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e);
        return code == 0 ? kExitOk : kExitUsage;  // help is not a mistake
    }
    try {
        for (const Subcommand& command : commands) {
            if (command.app->parsed()) {
                return command.run();
            }
        }
    } catch (const UsageError& e) {
        Report(e.what());
        return kExitUsage;
    } catch (const FileError& e) {
        Report(e.what());
        return kExitFileError;
    }
    return kExitUsage;
}
