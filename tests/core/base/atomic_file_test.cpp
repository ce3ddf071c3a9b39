#include "core/base/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

#include "../../support/special_files.h"
#include "../../support/temp_dir.h"

namespace radioprog {
namespace {

using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

std::size_t FilesIn(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

TEST(AtomicFile, CreatesAndReplacesWithoutLeavingTemporaryFiles) {
    TempDir dir;
    const auto file = dir / "radio.dat";
    ASSERT_TRUE(WriteFileAtomically(file, std::string_view("first")).ok());
    EXPECT_EQ(ReadText(file), "first");
    ASSERT_TRUE(WriteFileAtomically(file, std::string_view("second, longer")).ok());
    EXPECT_EQ(ReadText(file), "second, longer");
    ASSERT_TRUE(WriteFileAtomically(file, std::string_view("3")).ok());
    EXPECT_EQ(ReadText(file), "3");
    EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(AtomicFile, KeepsThePermissionsOfTheFileItReplaces) {
    TempDir dir;
    const auto file = dir / "Program.ini";
    WriteText(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(file, std::string_view("new")).ok());
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

// A link is the user's way to keep the file elsewhere: the file it leads to is replaced, in its
// own folder, and the link stays a link.
TEST(AtomicFile, ThroughALinkTheFileItLeadsToIsReplaced) {
    TempDir dir;
    std::filesystem::create_directories(dir / "store" / "deeper");
    WriteText(dir / "store" / "deeper" / "radio.dat", "old");
    std::filesystem::create_symlink("store/deeper/radio.dat", dir / "relative.dat");
    std::filesystem::create_symlink(dir / "relative.dat", dir / "chain.dat");
    std::filesystem::create_symlink(dir / "store" / "new.dat", dir / "dangling.dat");
    const struct {
        const char* link;
        std::filesystem::path target;
    } cases[] = {
        {"relative.dat", dir / "store" / "deeper" / "radio.dat"},
        {"chain.dat", dir / "store" / "deeper" / "radio.dat"},
        {"dangling.dat", dir / "store" / "new.dat"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        ASSERT_TRUE(WriteFileAtomically(dir / c.link, std::string_view(c.link)).ok());
        EXPECT_TRUE(std::filesystem::is_symlink(dir / c.link));
        EXPECT_EQ(ReadText(c.target), c.link);
    }
    EXPECT_EQ(std::filesystem::read_symlink(dir / "relative.dat"), "store/deeper/radio.dat");
    EXPECT_EQ(FilesIn(dir.path()), 4u);
    EXPECT_EQ(FilesIn(dir / "store"), 2u);
    EXPECT_EQ(FilesIn(dir / "store" / "deeper"), 1u);
}

// A save by root, of somebody else's file, gives the file back to its owner and group.
TEST(AtomicFile, KeepsTheOwnerAndGroupOfTheFileItReplaces) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "handing a file to another user needs root";
    }
    TempDir dir;
    const auto file = dir / "radio.dat";
    WriteText(file, "old");
    constexpr uid_t kNobody = 65534;
    ASSERT_EQ(::chown(file.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0604), 0);
    ASSERT_TRUE(WriteFileAtomically(file, std::string_view("new")).ok());
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, kNobody);
    EXPECT_EQ(info.st_gid, kNobody);
    EXPECT_EQ(info.st_mode & 07777, 0604u);
    EXPECT_EQ(ReadText(file), "new");
}

// A save that was killed leaves its temporary file, named .NAME.XXXXXX, beside the file; the
// next save of that file removes every one of them, and nothing else.
TEST(AtomicFile, TheNextSaveRemovesWhatKilledSavesLeftBehind) {
    TempDir dir;
    const auto file = dir / "radio.dat";
    WriteText(file, "old");
    const char* leftovers[] = {".radio.dat.Ab3dE9", ".radio.dat.XYZ123", ".radio.dat.000000"};
    for (const char* name : leftovers) {
        WriteText(dir / name, "torn");
    }
    const char* others[] = {".radio.dat.Ab3dE", ".radio.dat.Ab3dE9x", ".radio.dat.Ab-dE9",
                            "radio.dat.Ab3dE9", ".other.dat.Ab3dE9",  ".radio.dat"};
    for (const char* name : others) {
        WriteText(dir / name, "someone else's");
    }
    // A save still running holds the lock on its temporary file; that one is not a leftover.
    WriteText(dir / ".radio.dat.Run123", "in progress");
    const int running = ::open((dir / ".radio.dat.Run123").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(running, 0);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);

    ASSERT_TRUE(WriteFileAtomically(file, std::string_view("new")).ok());
    ::close(running);
    EXPECT_EQ(ReadText(file), "new");
    for (const char* name : leftovers) {
        EXPECT_FALSE(std::filesystem::exists(dir / name)) << name;
    }
    for (const char* name : others) {
        EXPECT_EQ(ReadText(dir / name), "someone else's") << name;
    }
    EXPECT_TRUE(std::filesystem::exists(dir / ".radio.dat.Run123"));
}

TEST(AtomicFile, AFailedReplaceReportsTheFileAndKeepsWhatWasThere) {
    TempDir dir;
    // A folder in the way cannot be replaced by a file: the rename fails after the data was
    // written, which is the last moment a save can go wrong.
    const auto blocked = dir / "blocked.dat";
    std::filesystem::create_directory(blocked);
    WriteText(blocked / "inside", "kept");
    const Status status = WriteFileAtomically(blocked, std::string_view("data"));
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("blocked.dat"), std::string::npos);
    EXPECT_EQ(ReadText(blocked / "inside"), "kept");
    EXPECT_EQ(FilesIn(dir.path()), 1u);
}

// The rename would put a file where the pipe, the socket or the device node was; the program
// replaces its own files, never anything else.
TEST(AtomicFile, RefusesToReplaceWhatIsNotARegularFile) {
    TempDir dir;
    const testing::Fifo fifo(dir / "pipe.dat");
    const testing::UnixSocket socket(dir / "socket.dat");
    std::vector<std::pair<std::filesystem::path, std::string>> cases = {
        {fifo.path(), "it is a named pipe (FIFO), not a regular file"},
        {socket.path(), "it is a socket, not a regular file"},
    };
    // A copy of /dev/null's node: a device that is the test's own to lose.
    if (::mknod((dir / "device.dat").c_str(), S_IFCHR | 0600, ::makedev(1, 3)) == 0) {
        cases.emplace_back(dir / "device.dat", "it is a device, not a regular file");
    }
    for (const auto& [path, cause] : cases) {
        SCOPED_TRACE(path);
        const auto kindBefore = std::filesystem::status(path).type();
        const Status status = WriteFileAtomically(path, std::string_view("data"));
        EXPECT_EQ(status.message(), "Cannot write \"" + path.string() + "\": " + cause);
        EXPECT_EQ(std::filesystem::status(path).type(), kindBefore);
    }
    EXPECT_EQ(WriteFileAtomically(fifo.path(), std::string_view("x"), Language::Chinese).message(),
              "无法写入“" + fifo.path().string() + "”：它是命名管道（FIFO），不是普通文件");
    EXPECT_EQ(FilesIn(dir.path()), cases.size());
}

TEST(AtomicFile, AMissingFolderIsReported) {
    TempDir dir;
    const Status status =
        WriteFileAtomically(dir / "no-such-folder" / "x.dat", std::string_view("x"));
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("temporary file"), std::string::npos);
}

}  // namespace
}  // namespace radioprog
