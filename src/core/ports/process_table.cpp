#include "core/ports/process_table.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <optional>
#include <system_error>

namespace radioprog {
namespace {

namespace fs = std::filesystem;

std::optional<int> ProcessNumber(const fs::path& entry) {
    const std::string name = entry.filename().string();
    int pid = 0;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), pid);
    if (error != std::errc() || end != name.data() + name.size() || name.empty()) {
        return std::nullopt;
    }
    return pid;
}

std::string ProgramName(const fs::path& process) {
    std::ifstream in(process / "comm");
    std::string name;
    std::getline(in, name);
    return name;
}

bool HasOpen(const fs::path& process, const std::vector<fs::path>& names) {
    std::error_code error;
    for (fs::directory_iterator it(process / "fd", error), end; !error && it != end;
         it.increment(error)) {
        std::error_code linkError;
        const fs::path target = fs::read_symlink(it->path(), linkError);
        if (linkError) {
            continue;
        }
        for (const fs::path& name : names) {
            if (target == name) {
                return true;
            }
        }
    }
    return false;
}

template <typename Visit>
void ForEachProcess(const SystemRoots& roots, Visit visit) {
    std::error_code error;
    for (fs::directory_iterator it(roots.proc, error), end; !error && it != end;
         it.increment(error)) {
        if (const auto pid = ProcessNumber(it->path())) {
            visit(*pid, it->path());
        }
    }
}

}  // namespace

std::vector<DeviceHolder> FindHolders(const fs::path& device, const SystemRoots& roots) {
    // An open file shows as the path the kernel resolved, not the link it was opened by.
    std::vector<fs::path> names = {device};
    std::error_code error;
    const fs::path resolved = fs::canonical(device, error);
    if (!error && resolved != device) {
        names.push_back(resolved);
    }
    std::vector<DeviceHolder> holders;
    ForEachProcess(roots, [&](int pid, const fs::path& process) {
        if (HasOpen(process, names)) {
            holders.push_back({pid, ProgramName(process)});
        }
    });
    std::sort(holders.begin(), holders.end(),
              [](const DeviceHolder& a, const DeviceHolder& b) { return a.pid < b.pid; });
    return holders;
}

bool IsRunning(std::string_view program, const SystemRoots& roots) {
    bool running = false;
    ForEachProcess(roots, [&](int, const fs::path& process) {
        running = running || ProgramName(process) == program;
    });
    return running;
}

}  // namespace radioprog
