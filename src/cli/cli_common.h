#pragma once

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "doc/app_context.h"
#include "doc/program_doc.h"
#include "radio/text_grid.h"

namespace radioprog::cli {

/// The tool's exit codes, the contract scripts rely on.
enum ExitCode {
    kExitOk = 0,
    kExitRefused = 1,
    kExitUsage = 2,
    kExitPortError = 3,
    kExitCommunicationError = 4,
    kExitPasswordError = 5,
    kExitIncomplete = 6,
    kExitFileError = 7,
};

/// A usage mistake found after parsing (a text a list column does not offer, say): exit 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A file the run cannot do without cannot be used (the settings, the per-user store): exit 7.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Options every command shares.
struct GlobalOptions {
    std::optional<std::string> appDir;
};

/// The run's context: `Program.ini` from the application directory, the per-user store, and the
/// language of the settings unless @p lang ("en" or "zh") overrides it. Throws FileError when
/// either file is there but cannot be used.
std::unique_ptr<AppContext> MakeContext(const GlobalOptions& options,
                                        const std::optional<std::string>& lang);

/// Prints a message for the user on stderr.
void Report(const std::string& message);

/// Opens a .dat file and tells the user on stderr what the document says of it (a size other
/// than 1024 bytes).
Status OpenDocument(const std::string& file, AppContext& context, CProgramDoc& doc);

/// Opens a .dat file as `OpenDocument` does and shows its channels in @p grid, taking the band
/// limits from it. Unlike the desktop program it leaves the per-user Type/Field values alone:
/// looking at a file changes nothing.
Status OpenIntoGrid(const std::string& file, AppContext& context, CProgramDoc& doc, TextGrid& grid);

}  // namespace radioprog::cli
