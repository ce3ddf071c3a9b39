#include "core/base/app_directory.h"

#include <cstdlib>
#include <system_error>

namespace radioprog {

std::filesystem::path RunningExecutable() {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
}

std::filesystem::path ResolveAppDirectory(const std::optional<std::string>& appDirOption) {
    if (appDirOption && !appDirOption->empty()) {
        return std::filesystem::absolute(*appDirOption);
    }
    if (const char* fromEnvironment = std::getenv("RADIOPROG_APPDIR");
        fromEnvironment && *fromEnvironment) {
        return std::filesystem::absolute(fromEnvironment);
    }
    const auto executable = RunningExecutable();
    return executable.empty() ? std::filesystem::current_path() : executable.parent_path();
}

}  // namespace radioprog
