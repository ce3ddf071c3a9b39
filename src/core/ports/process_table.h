#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/ports/system_roots.h"

namespace radioprog {

/// A running program that has a device open.
struct DeviceHolder {
    int pid = 0;
    std::string program;  ///< its name as the process table gives it ("minicom")
};

/// The processes of @p roots' process table that have @p device (or the device a link such as a
/// by-id path leads to) open, by process number. Only the processes whose open files this user
/// may see are found: an ordinary user sees their own.
std::vector<DeviceHolder> FindHolders(const std::filesystem::path& device,
                                      const SystemRoots& roots);

/// Whether a process named @p program runs.
bool IsRunning(std::string_view program, const SystemRoots& roots);

}  // namespace radioprog
