#pragma once

#include <filesystem>

#include "core/base/status.h"
#include "core/radio/memory_image.h"

namespace radioprog {

/// Reads the 1024 image bytes of a `.dat` file into @p memory. A missing, unreadable or short
/// file fails with a message naming it and leaves @p memory as it was.
Status LoadMemoryFile(const std::filesystem::path& path, RadioImage& memory);

/// Replaces @p path with the 1024 bytes of @p memory, atomically.
Status SaveMemoryFile(const std::filesystem::path& path, const RadioImage& memory);

}  // namespace radioprog
