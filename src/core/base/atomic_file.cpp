#include "core/base/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "core/base/regular_file.h"

namespace radioprog {
namespace {

// mkstemp's pattern: the temporary file of NAME is .NAME.XXXXXX, six letters or digits.
constexpr std::string_view kTemporarySuffix = "XXXXXX";
// As many links as the kernel follows before it gives up with ELOOP.
constexpr int kMostLinks = 40;

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

// The file a path leads to once every symbolic link on it is followed; the path itself when it
// is no link. A link to nothing leads to the file it names, which the save then creates.
std::filesystem::path FollowLinks(std::filesystem::path path) {
    for (int hop = 0; hop < kMostLinks; ++hop) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
            break;
        }
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error) {
            break;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

std::optional<struct stat> StatOf(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return info;
}

// A replaced file keeps its permissions, and its owner and group as far as the user may give
// them (root always; anyone else the group, when a member of it). A new one gets the usual
// 0666 less the umask. The owner goes first: a change of owner clears set-id bits.
bool TakeOverOwnerAndMode(const std::optional<struct stat>& old, int fd) {
    if (!old) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        return true;
    }
    if (::geteuid() == 0) {
        if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
            return false;
        }
    } else if (old->st_gid != ::getegid()) {
        [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old->st_gid);
    }
    return ::fchmod(fd, old->st_mode & 07777) == 0;
}

bool IsTemporaryOf(const std::string& name, const std::string& fileName) {
    const std::string prefix = "." + fileName + ".";
    if (name.size() != prefix.size() + kTemporarySuffix.size() || !name.starts_with(prefix)) {
        return false;
    }
    return std::all_of(
        name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(), [](char c) {
            return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        });
}

// A save that was killed leaves its temporary file behind. One that nobody holds locked (a
// running save locks its own) and that is the user's or the file's owner's is such a leftover.
void RemoveLeftovers(const std::filesystem::path& folder, const std::string& fileName,
                     const std::optional<struct stat>& old) {
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::filesystem::path path = entry->path();
        if (!IsTemporaryOf(path.filename().string(), fileName)) {
            continue;
        }
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat info {};
        const bool ours = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                          (info.st_uid == ::geteuid() || (old && info.st_uid == old->st_uid));
        if (ours && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(path.c_str());
        }
        ::close(fd);
    }
}

// A locked temporary file beside the target. Another save's clean-up may have removed it
// between its creation and the lock, so the name is checked to still be this file.
int CreateTemporary(const std::filesystem::path& folder, const std::string& fileName,
                    std::string& name) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        name = (folder / ("." + fileName + "." + std::string(kTemporarySuffix))).string();
        const int fd = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) {
            return -1;
        }
        struct stat mine {};
        struct stat named {};
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &mine) == 0 &&
            ::stat(name.c_str(), &named) == 0 && mine.st_ino == named.st_ino &&
            mine.st_dev == named.st_dev) {
            return fd;
        }
        ::close(fd);
    }
    errno = EAGAIN;
    return -1;
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// The rename would put a file where the pipe or the device node was. A folder is left to the
// rename, which refuses it.
Status RefuseSpecialFile(const std::filesystem::path& path, Language language) {
    const FileKind kind = KindOfFile(path);
    if (kind != FileKind::Missing && kind != FileKind::Regular && kind != FileKind::Folder &&
        kind != FileKind::Unknown) {
        return Status::Error(CannotWrite(path, NotARegularFile(kind, language), language));
    }
    return Status::Ok();
}

}  // namespace

std::string CannotWrite(const std::filesystem::path& path, const std::string& cause,
                        Language language) {
    if (language == Language::Chinese) {
        return "无法写入“" + path.string() + "”：" + cause;
    }
    return "Cannot write \"" + path.string() + "\": " + cause;
}

Status CheckReplaceable(const std::filesystem::path& path, Language language) {
    if (const FileKind kind = KindOfFile(path); kind == FileKind::Folder) {
        return Status::Error(CannotWrite(path, NotARegularFile(kind, language), language));
    }
    if (Status replaceable = RefuseSpecialFile(path, language); !replaceable) {
        return replaceable;
    }
    const std::filesystem::path target = FollowLinks(path);
    std::string temporary;
    const int fd = CreateTemporary(FolderOf(target), target.filename().string(), temporary);
    if (fd < 0) {
        return Status::Error(Describe(path, "cannot create a temporary file beside it", errno));
    }
    ::unlink(temporary.c_str());
    ::close(fd);
    return Status::Ok();
}

Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                           Language language) {
    if (Status replaceable = RefuseSpecialFile(path, language); !replaceable) {
        return replaceable;
    }
    // Renamed over a link, the new file would replace the link and leave the file it leads to
    // as it was.
    const std::filesystem::path target = FollowLinks(path);
    const std::filesystem::path folder = FolderOf(target);
    const std::string fileName = target.filename().string();
    const std::optional<struct stat> old = StatOf(target);
    RemoveLeftovers(folder, fileName, old);

    std::string temporary;
    const int fd = CreateTemporary(folder, fileName, temporary);
    if (fd < 0) {
        return Status::Error(Describe(path, "cannot create a temporary file beside it", errno));
    }
    if (!TakeOverOwnerAndMode(old, fd)) {
        const int error = errno;
        ::close(fd);
        ::unlink(temporary.c_str());
        return Status::Error(Describe(path, "cannot give the new file the old one's owner", error));
    }
    const bool written = WriteAll(fd, bytes.data(), bytes.size());
    const int writeError = errno;
    const bool synced = written && ::fsync(fd) == 0;
    const int syncError = errno;
    // Renamed while it is still open and locked: a clean-up running meanwhile leaves it alone.
    const bool renamed = synced && ::rename(temporary.c_str(), target.c_str()) == 0;
    const int renameError = errno;
    ::close(fd);
    if (!renamed) {
        ::unlink(temporary.c_str());
        if (!written || !synced) {
            return Status::Error(
                Describe(path, "the data could not be written", !written ? writeError : syncError));
        }
        return Status::Error(
            Describe(path, "the new file could not replace the old one", renameError));
    }
    // The rename itself must reach the disk too, or a crash could bring back the old file.
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
