#include "core/base/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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

TEST(AtomicFile, AMissingFolderIsReported) {
    TempDir dir;
    const Status status =
        WriteFileAtomically(dir / "no-such-folder" / "x.dat", std::string_view("x"));
    ASSERT_FALSE(status.ok());
    EXPECT_NE(status.message().find("temporary file"), std::string::npos);
}

}  // namespace
}  // namespace radioprog
