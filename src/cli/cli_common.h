#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

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

/// A file the run cannot do without cannot be used (the settings, the per-user store), or a
/// file the command needs cannot be read or written, found before the command's own work starts
/// (a password file, say): exit 7.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Options every command shares.
struct GlobalOptions {
    std::optional<std::string> appDir;
    /// Where the machine's devices, processes and settings are looked up instead of "/".
    std::optional<std::string> systemRoot;
};

/// The run's context: `Program.ini` from the application directory, the per-user store, the
/// machine's folders, and the language of the settings unless @p lang ("en" or "zh") overrides
/// it. Throws FileError when either file is there but cannot be used.
std::unique_ptr<AppContext> MakeContext(const GlobalOptions& options,
                                        const std::optional<std::string>& lang);

/// Prints a message for the user on stderr.
void Report(const std::string& message);

/// Columns @p text takes on a terminal: a CJK character takes two cells, everything else one.
std::size_t DisplayWidth(std::string_view text);
/// @p text with blanks after it up to @p width columns.
std::string Padded(const std::string& text, std::size_t width);

/// Opens a .dat file ("-": standard input) and tells the user on stderr what the document says
/// of it (a size other than 1024 bytes).
[[nodiscard]] Status OpenDocument(const std::string& file, AppContext& context, CProgramDoc& doc);

/// Opens a .dat file as `OpenDocument` does and fills the document's channel texts from it, taking
/// the band limits from it. Unlike the desktop program it leaves the per-user Type/Field values
/// alone: looking at a file changes nothing.
[[nodiscard]] Status OpenWithTexts(const std::string& file, AppContext& context, CProgramDoc& doc);

/// Saves @p doc with its texts as the desktop program does, to the file @p output or
/// ("-") to standard output.
[[nodiscard]] Status SaveDocument(CProgramDoc& doc, const std::string& output,
                                  const AppContext& context);
/// Opens the document from standard input ("-"), read to its end.
[[nodiscard]] Status OpenStandardInput(AppContext& context, CProgramDoc& doc);

}  // namespace radioprog::cli
