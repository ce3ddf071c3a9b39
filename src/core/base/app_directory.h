#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace radioprog {

/// The folder that holds `Program.ini`, the catalogues, the help pages and the pictures: the
/// folder given by `--appdir`, else the one named by `RADIOPROG_APPDIR`, else the folder of the
/// running executable.
std::filesystem::path ResolveAppDirectory(const std::optional<std::string>& appDirOption);

/// The full path of the running executable (from /proc/self/exe); empty when it cannot be told.
std::filesystem::path RunningExecutable();

}  // namespace radioprog
