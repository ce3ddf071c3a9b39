#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

#include "core/base/language.h"
#include "core/radio/packed_password.h"

namespace radioprog::cli {

/// Where a command takes the login password from. A command line is visible to every user of
/// the machine, so the password can also come from a file or the environment.
struct PasswordSource {
    std::optional<std::string> password;  ///< `--password DIGITS`
    std::optional<std::string> file;      ///< `--password-file FILE`, "-" for standard input
};

/// The environment variable that holds the password when no option gives one.
inline constexpr const char* kPasswordVariable = "RADIOPROG_PASSWORD";

/// Adds `--password` (described by @p description) and `--password-file`, which exclude each
/// other.
void AddPasswordOptions(CLI::App& sub, PasswordSource& source, const std::string& description);

/// The password: `--password`, else the first line of `--password-file` (without its line
/// break), else `RADIOPROG_PASSWORD`, else empty. Throws FileError for a file that cannot be
/// read, its message in @p language.
std::string ResolvePassword(const PasswordSource& source, Language language);

/// The resolved password packed for the login; throws UsageError when it is not up to six
/// digits, naming where it came from.
PackedPassword LoginPassword(const PasswordSource& source, Language language);

}  // namespace radioprog::cli
