#pragma once

#include <filesystem>
#include <vector>

namespace radioprog {

/// Where the machine's serial devices, processes, groups and udev rules are looked up. The real
/// places by default; a test, or a look at another system's tree, puts them all under one folder.
struct SystemRoots {
    std::filesystem::path sys = "/sys";    ///< sysfs: `class/tty`, `devices`
    std::filesystem::path dev = "/dev";    ///< device nodes and `serial/by-id`
    std::filesystem::path proc = "/proc";  ///< running processes and their open files
    std::filesystem::path etc = "/etc";    ///< `group`
    /// udev's rule folders, the first winning for files of the same name.
    std::vector<std::filesystem::path> udevRules = {"/etc/udev/rules.d", "/lib/udev/rules.d",
                                                    "/usr/lib/udev/rules.d"};
    /// Where installed programs are found.
    std::vector<std::filesystem::path> programs = {"/usr/bin", "/usr/sbin", "/bin", "/sbin"};

    /// Every place of the real machine, taken under @p top ("/srv/image" gives
    /// "/srv/image/sys", "/srv/image/etc/udev/rules.d", ...).
    static SystemRoots Under(const std::filesystem::path& top);
};

}  // namespace radioprog
