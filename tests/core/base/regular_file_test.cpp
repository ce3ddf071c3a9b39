#include "core/base/regular_file.h"

#include <gtest/gtest.h>

#include "../../support/special_files.h"
#include "../../support/temp_dir.h"

namespace radioprog {
namespace {

using testing::TempDir;
using testing::WriteText;

TEST(KindOfFile, FollowsLinksToWhatTheyName) {
    TempDir dir;
    WriteText(dir / "radio.dat", "x");
    const testing::Fifo fifo(dir / "pipe");
    const testing::UnixSocket socket(dir / "socket");
    std::filesystem::create_symlink(dir / "radio.dat", dir / "link");
    std::filesystem::create_symlink(dir / "gone", dir / "dangling");
    const std::pair<std::filesystem::path, FileKind> cases[] = {
        {dir / "radio.dat", FileKind::Regular}, {dir / "link", FileKind::Regular},
        {dir.path(), FileKind::Folder},         {fifo.path(), FileKind::Fifo},
        {"/dev/zero", FileKind::Device},        {socket.path(), FileKind::Socket},
        {dir / "missing", FileKind::Missing},   {dir / "dangling", FileKind::Missing},
    };
    for (const auto& [path, kind] : cases) {
        EXPECT_EQ(KindOfFile(path), kind) << path;
    }
}

TEST(ReadRegularFile, ReadsTheStartAndTellsTheWholeSize) {
    TempDir dir;
    WriteText(dir / "radio.dat", "0123456789");
    std::filesystem::create_symlink(dir / "radio.dat", dir / "link.dat");
    for (const char* name : {"radio.dat", "link.dat"}) {
        FileStart start;
        ASSERT_TRUE(ReadRegularFile(dir / name, 4, Language::English, start).ok()) << name;
        EXPECT_EQ(start.bytes, "0123");
        EXPECT_EQ(start.size, 10u);
    }
    FileStart whole;
    ASSERT_TRUE(ReadRegularFile(dir / "radio.dat", 100, Language::English, whole).ok());
    EXPECT_EQ(whole.bytes, "0123456789");

    FileStart missing;
    const Status status = ReadRegularFile(dir / "missing.dat", 4, Language::English, missing);
    EXPECT_TRUE(missing.missing);
    EXPECT_EQ(status.message(),
              "Cannot open \"" + (dir / "missing.dat").string() + "\": No such file or directory");
    FileStart fifo;
    const testing::Fifo pipe(dir / "pipe.dat");
    EXPECT_FALSE(ReadRegularFile(pipe.path(), 4, Language::English, fifo).ok());
    EXPECT_FALSE(fifo.missing);
    EXPECT_FALSE(pipe.rescued());
}

}  // namespace
}  // namespace radioprog
