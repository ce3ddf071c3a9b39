#include "core/base/app_directory.h"

#include <system_error>

namespace radioprog {

std::filesystem::path RunningExecutable() {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
}

}  // namespace radioprog
