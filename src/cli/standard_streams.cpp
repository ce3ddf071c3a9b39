#include "standard_streams.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/base/atomic_file.h"

namespace radioprog::cli {

bool IsStandardStream(std::string_view name) {
    return name == kStandardStream;
}

std::filesystem::path InputPath(const std::string& name) {
    return IsStandardStream(name) ? std::filesystem::path("/dev/stdin")
                                  : std::filesystem::path(name);
}

Status WriteOutput(const std::string& name, std::string_view bytes, Language language) {
    if (!IsStandardStream(name)) {
        return WriteFileAtomically(name, bytes, language);
    }
    // Straight to the descriptor: the data is binary, and a closed pipe must say so here.
    while (!bytes.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return Status::Error(std::string("Cannot write to standard output: ") +
                                 std::strerror(errno));
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return Status::Ok();
}

Status WriteOutput(const std::string& name, std::span<const std::uint8_t> bytes,
                   Language language) {
    return WriteOutput(name,
                       std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                       language);
}

}  // namespace radioprog::cli
