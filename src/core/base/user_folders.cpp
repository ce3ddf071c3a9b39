#include "core/base/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace radioprog {
namespace {

std::filesystem::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    if (const passwd* entry = ::getpwuid(::getuid());
        entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return {};
}

}  // namespace

std::filesystem::path UserConfigFolder() {
    // A relative XDG_CONFIG_HOME is invalid by the XDG rules and ignored.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config == '/') {
        return std::filesystem::path(config) / "radioprog";
    }
    return HomeFolder() / ".config" / "radioprog";
}

std::filesystem::path UserDataFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/') {
        return std::filesystem::path(data) / "radioprog";
    }
    return HomeFolder() / ".local" / "share" / "radioprog";
}

}  // namespace radioprog
