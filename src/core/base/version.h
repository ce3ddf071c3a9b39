#pragma once

#include <string>
#include <string_view>

namespace radioprog {

/// The version of this build: the project version, followed by what git says of the commit
/// when it was built from a checkout ("0.1.0 (git 1dfa206)").
std::string_view ProgramVersion();

/// The line `--version` prints: @p program followed by the version.
std::string VersionLine(std::string_view program);

}  // namespace radioprog
