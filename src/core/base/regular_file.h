#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/base/language.h"
#include "core/base/status.h"

namespace radioprog {

/// What a path names once symbolic links are followed.
enum class FileKind { Missing, Regular, Folder, Fifo, Device, Socket, Other, Unknown };

/// The kind of @p path; Unknown when it cannot be told (a folder on the way cannot be searched).
FileKind KindOfFile(const std::filesystem::path& path);

/// Why a path of @p kind is no file of the program, in @p language: "it is a named pipe (FIFO),
/// not a regular file", "it is a device, ...", "it is a folder, not a file". Empty for a regular
/// file, a missing one and one whose kind is unknown.
std::string NotARegularFile(FileKind kind, Language language);

/// "Cannot open "PATH": CAUSE" in @p language.
std::string CannotOpen(const std::filesystem::path& path, const std::string& cause,
                       Language language);

/// The start of a file as `ReadRegularFile` read it.
struct FileStart {
    std::string bytes;        ///< at most the bytes asked for
    std::uintmax_t size = 0;  ///< the size of the whole file
    bool missing = false;     ///< set when the read failed because nothing is there
};

/// Reads up to @p limit bytes from the start of the regular file at @p path (links followed)
/// into @p start. Anything else is refused before it is opened for reading, so that no read
/// waits for the writer of a named pipe or takes what a device produces; the message names the
/// file and says what it is, in @p language.
Status ReadRegularFile(const std::filesystem::path& path, std::size_t limit, Language language,
                       FileStart& start);

}  // namespace radioprog
