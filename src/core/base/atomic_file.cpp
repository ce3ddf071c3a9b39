#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "base/regular_file.h"

namespace radioprog {
namespace {

std::string Describe(const std::filesystem::path& path, const char* what, int error) {
    return CannotWrite(path, std::string(what) + ": " + std::strerror(error), Language::English);
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// A replaced file keeps the permissions it had; a new one gets the usual 0666 less the umask.
void CopyModeOf(const std::filesystem::path& original, int fd) {
    struct stat info {};
    if (::stat(original.c_str(), &info) == 0) {
        ::fchmod(fd, info.st_mode & 07777);
        return;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
}

}  // namespace

std::string CannotWrite(const std::filesystem::path& path, const std::string& cause,
                        Language language) {
    if (language == Language::Chinese) {
        return "无法写入“" + path.string() + "”：" + cause;
    }
    return "Cannot write \"" + path.string() + "\": " + cause;
}

Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                           Language language) {
    // The rename would put a file where the pipe or the device node was. A folder is left to the
    // rename, which refuses it.
    if (const FileKind kind = KindOfFile(path);
        kind != FileKind::Missing && kind != FileKind::Regular && kind != FileKind::Folder &&
        kind != FileKind::Unknown) {
        return Status::Error(CannotWrite(path, NotARegularFile(kind, language), language));
    }
    const std::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        return Status::Error(Describe(path, "cannot create a temporary file beside it", errno));
    }
    CopyModeOf(path, fd);
    const bool written = WriteAll(fd, bytes.data(), bytes.size());
    const int writeError = errno;
    const bool synced = written && ::fsync(fd) == 0;
    const int syncError = errno;
    const bool closed = ::close(fd) == 0;
    const int closeError = errno;
    if (!written || !synced || !closed) {
        ::unlink(pattern.c_str());
        const int error = !written ? writeError : (!synced ? syncError : closeError);
        return Status::Error(Describe(path, "the data could not be written", error));
    }
    if (::rename(pattern.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(pattern.c_str());
        return Status::Error(Describe(path, "the new file could not replace the old one", error));
    }
    // The rename itself must reach the disk too, or a crash could bring back the old file.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return Status::Ok();
}

Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                           Language language) {
    return WriteFileAtomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
        language);
}

}  // namespace radioprog
