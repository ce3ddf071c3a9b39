#include "core/sim/memory_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>

#include "core/base/atomic_file.h"

namespace radioprog {

Status LoadMemoryFile(const std::filesystem::path& path, RadioImage& memory) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return Status::Error("Cannot open \"" + path.string() + "\": " + std::strerror(errno));
    }
    RadioImage loaded{};
    file.read(reinterpret_cast<char*>(loaded.data()), static_cast<std::streamsize>(loaded.size()));
    if (file.bad()) {
        return Status::Error("Cannot read \"" + path.string() + "\"");
    }
    if (const auto got = file.gcount(); got < static_cast<std::streamsize>(loaded.size())) {
        return Status::Error("Cannot use \"" + path.string() + "\": it holds " +
                             std::to_string(got) + " bytes, a radio memory holds 1024");
    }
    memory = loaded;
    return Status::Ok();
}

Status SaveMemoryFile(const std::filesystem::path& path, const RadioImage& memory) {
    return WriteFileAtomically(path, std::span<const std::uint8_t>(memory));
}

}  // namespace radioprog
