#pragma once

#include <filesystem>

namespace radioprog {

/// The full path of the running executable (from /proc/self/exe); empty when it cannot be told.
std::filesystem::path RunningExecutable();

}  // namespace radioprog
