#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "core/base/status.h"

namespace radioprog {

/// Replaces @p path with @p bytes so that a crash, a full disk or a failing write never leaves a
/// torn or empty file: the bytes go to a temporary file in the same folder, are flushed to the
/// disk, and the temporary file is renamed over the old one. On failure the old file is kept
/// as it was and the message names the file and the cause.
Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace radioprog
