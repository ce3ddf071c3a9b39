#include "core/base/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace radioprog {
namespace {

FileKind KindOfMode(mode_t mode) {
    if (S_ISREG(mode)) {
        return FileKind::Regular;
    }
    if (S_ISDIR(mode)) {
        return FileKind::Folder;
    }
    if (S_ISFIFO(mode)) {
        return FileKind::Fifo;
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return FileKind::Device;
    }
    if (S_ISSOCK(mode)) {
        return FileKind::Socket;
    }
    return FileKind::Other;
}

Status Refuse(const std::filesystem::path& path, FileKind kind, Language language) {
    return Status::Error(CannotOpen(path, NotARegularFile(kind, language), language));
}

// Reads until @p limit bytes are in or the file ends.
bool ReadUpTo(int fd, std::size_t limit, std::string& bytes) {
    bytes.clear();
    char buffer[16384];
    while (bytes.size() < limit) {
        const std::size_t want = std::min(sizeof buffer, limit - bytes.size());
        const ssize_t got = ::read(fd, buffer, want);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return true;
}

}  // namespace

FileKind KindOfFile(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return errno == ENOENT ? FileKind::Missing : FileKind::Unknown;
    }
    return KindOfMode(info.st_mode);
}

std::string NotARegularFile(FileKind kind, Language language) {
    BilingualText text{"", ""};
    switch (kind) {
        case FileKind::Folder:
            text = {"it is a folder, not a file", "它是文件夹，不是文件"};
            break;
        case FileKind::Fifo:
            text = {"it is a named pipe (FIFO), not a regular file",
                    "它是命名管道（FIFO），不是普通文件"};
            break;
        case FileKind::Device:
            text = {"it is a device, not a regular file", "它是设备，不是普通文件"};
            break;
        case FileKind::Socket:
            text = {"it is a socket, not a regular file", "它是套接字，不是普通文件"};
            break;
        case FileKind::Other:
            text = {"it is not a regular file", "它不是普通文件"};
            break;
        case FileKind::Missing:
        case FileKind::Regular:
        case FileKind::Unknown:
            break;
    }
    return std::string(text.In(language));
}

std::string CannotOpen(const std::filesystem::path& path, const std::string& cause,
                       Language language) {
    if (language == Language::Chinese) {
        return "无法打开“" + path.string() + "”：" + cause;
    }
    return "Cannot open \"" + path.string() + "\": " + cause;
}

Status ReadRegularFile(const std::filesystem::path& path, std::size_t limit, Language language,
                       FileStart& start) {
    start = FileStart{};
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        const int error = errno;
        start.missing = error == ENOENT;
        return Status::Error(CannotOpen(path, std::strerror(error), language));
    }
    if (!S_ISREG(info.st_mode)) {
        return Refuse(path, KindOfMode(info.st_mode), language);
    }
    // Non-blocking: should a pipe take the file's place after the check, the open does not wait.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        start.missing = error == ENOENT;
        return Status::Error(CannotOpen(path, std::strerror(error), language));
    }
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        return Status::Error(CannotOpen(path, std::strerror(error), language));
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        return Refuse(path, KindOfMode(info.st_mode), language);
    }
    start.size = static_cast<std::uintmax_t>(info.st_size);
    const bool read = ReadUpTo(fd, limit, start.bytes);
    const int error = errno;
    ::close(fd);
    if (!read) {
        return Status::Error(CannotOpen(path, std::strerror(error), language));
    }
    return Status::Ok();
}

}  // namespace radioprog
