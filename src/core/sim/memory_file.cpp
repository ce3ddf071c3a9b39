#include "core/sim/memory_file.h"

#include <algorithm>
#include <string>

#include "core/base/atomic_file.h"
#include "core/base/regular_file.h"

namespace radioprog {

Status LoadMemoryFile(const std::filesystem::path& path, RadioImage& memory) {
    FileStart file;
    if (Status read = ReadRegularFile(path, memory.size(), Language::English, file); !read) {
        return read;
    }
    if (file.bytes.size() < memory.size()) {
        return Status::Error("Cannot use \"" + path.string() + "\": it holds " +
                             std::to_string(file.bytes.size()) +
                             " bytes, a radio memory holds 1024");
    }
    std::copy(file.bytes.begin(), file.bytes.end(), memory.begin());
    return Status::Ok();
}

Status SaveMemoryFile(const std::filesystem::path& path, const RadioImage& memory) {
    return WriteFileAtomically(path, std::span<const std::uint8_t>(memory));
}

}  // namespace radioprog
