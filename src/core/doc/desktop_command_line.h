#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/base/language.h"

namespace radioprog {

/// What the desktop program's command line asks for, read before any window exists.
struct DesktopCommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    std::optional<std::string> appDir;  ///< `--appdir DIR`
    bool demo = false;                  ///< `--demo`
    std::optional<std::string> file;    ///< the `.dat` file to open
    /// Qt's own options (`-platform offscreen`, `-style Fusion`, ...), left for Qt to read.
    std::vector<std::string> qtArguments;
    std::string error;  ///< what is wrong, for `Action::Error`
};

/// Reads the arguments after the program's name. Besides the program's options and one file
/// it takes Qt's standard options, in their one-dash and two-dash forms; anything else that
/// starts with a dash is an error, and so is a second file. After `--` every argument is a
/// file name.
DesktopCommandLine ParseDesktopCommandLine(const std::vector<std::string>& arguments,
                                           Language language);

/// What `radioprog --help` prints.
std::string DesktopHelp(Language language);

}  // namespace radioprog
