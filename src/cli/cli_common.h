#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/doc/app_context.h"
#include "core/doc/program_doc.h"
#include "core/radio/text_grid.h"

namespace radioprog::cli {

/// The tool's exit codes, the contract scripts rely on (exit_codes.def).
enum ExitCode {
#define RADIOPROG_EXIT(number, name, english, chinese) name = number,
#include "exit_codes.def"
#undef RADIOPROG_EXIT
};

struct ExitCodeMeaning {
    int number;
    BilingualText meaning;
};
/// Every exit code with what it means.
inline constexpr ExitCodeMeaning kExitCodes[] = {
#define RADIOPROG_EXIT(number, name, english, chinese) {number, {english, chinese}},
#include "exit_codes.def"
#undef RADIOPROG_EXIT
};

/// The exit codes with their meanings, one line each, for the end of `--help`.
std::string ExitCodeList(Language language);

/// A usage mistake found after parsing (a text a list column does not offer, say): exit 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A file the command needs that cannot be read or written, found before the command's own
/// work starts (a password file, say): exit 7.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Options every command shares.
struct GlobalOptions {
    std::optional<std::string> appDir;
};

/// The run's context: `Program.ini` from the application directory, the per-user store, and the
/// language of the settings unless @p lang ("en" or "zh") overrides it.
std::unique_ptr<AppContext> MakeContext(const GlobalOptions& options,
                                        const std::optional<std::string>& lang);

/// Prints a message for the user on stderr.
void Report(const std::string& message);

/// Opens a .dat file ("-": standard input) and shows its channels in @p grid, taking the band
/// limits from it. Unlike the desktop program it leaves the per-user Type/Field values alone:
/// looking at a file changes nothing.
Status OpenIntoGrid(const std::string& file, AppContext& context, CProgramDoc& doc, TextGrid& grid);

/// Saves @p doc with the texts of @p grid as the desktop program does, to the file @p output or
/// ("-") to standard output.
Status SaveDocument(CProgramDoc& doc, const std::string& output, const ChannelGrid& grid,
                    const AppContext& context);

}  // namespace radioprog::cli
