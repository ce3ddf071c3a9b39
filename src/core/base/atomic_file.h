#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "core/base/language.h"
#include "core/base/status.h"

namespace radioprog {

/// Replaces @p path with @p bytes so that a crash, a full disk or a failing write never leaves a
/// torn or empty file: the bytes go to a temporary file in the same folder, are flushed to the
/// disk, and the temporary file is renamed over the old one. On failure the old file is kept
/// as it was and the message names the file and the cause. Only a regular file is replaced: a
/// named pipe, a device or a socket in its place is refused, in @p language, and left alone.
Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                           Language language = Language::English);
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                           Language language = Language::English);

/// Whether `WriteFileAtomically` could replace @p path now, for a caller about to spend time on
/// what it will write: the path (links followed) is a regular file or nothing, and its folder
/// takes a new file, which is made and removed at once. The message says why not, in
/// @p language.
Status CheckReplaceable(const std::filesystem::path& path, Language language);

/// "Cannot write "PATH": CAUSE" in @p language.
std::string CannotWrite(const std::filesystem::path& path, const std::string& cause,
                        Language language);

}  // namespace radioprog
