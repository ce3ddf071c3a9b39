#include "core/doc/recent_files.h"

#include <gtest/gtest.h>

#include "../../support/temp_dir.h"

namespace radioprog {
namespace {

namespace fs = std::filesystem;
using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

std::vector<fs::path> Paths(std::initializer_list<const char*> names) {
    return {names.begin(), names.end()};
}

TEST(RecentFiles, TheNewestComesFirstEachOnceAndOnlyTheLastFourStay) {
    RecentFiles recent;
    for (const char* name : {"/r/a.dat", "/r/b.dat", "/r/c.dat"}) {
        recent.Add(name);
    }
    EXPECT_EQ(recent.entries(), Paths({"/r/c.dat", "/r/b.dat", "/r/a.dat"}));
    recent.Add("/r/./x/../a.dat");
    EXPECT_EQ(recent.entries(), Paths({"/r/a.dat", "/r/c.dat", "/r/b.dat"}));
    recent.Add("/r/d.dat");
    recent.Add("/r/e.dat");
    EXPECT_EQ(recent.entries(), Paths({"/r/e.dat", "/r/d.dat", "/r/a.dat", "/r/c.dat"}));
    recent.Remove("/r/d.dat");
    EXPECT_EQ(recent.entries(), Paths({"/r/e.dat", "/r/a.dat", "/r/c.dat"}));
}

TEST(RecentFiles, ARelativeNameIsKeptAsTheFileItNames) {
    RecentFiles recent;
    recent.Add("radio.dat");
    EXPECT_EQ(recent.entries(), std::vector<fs::path>{fs::current_path() / "radio.dat"});
}

TEST(RecentFiles, FilesThatNoLongerExistAreDropped) {
    TempDir dir;
    WriteText(dir / "kept.dat", "");
    fs::create_directory(dir / "folder.dat");
    RecentFiles recent;
    recent.Add(dir / "gone.dat");
    recent.Add(dir / "folder.dat");
    recent.Add(dir / "kept.dat");
    EXPECT_TRUE(recent.DropMissing());
    EXPECT_EQ(recent.entries(), std::vector<fs::path>{dir / "kept.dat"});
    EXPECT_FALSE(recent.DropMissing());
}

TEST(RecentFiles, TheListSurvivesTheStoreWithEveryKindOfName) {
    TempDir dir;
    UserStore store(dir / "user.ini");
    RecentFiles recent;
    const std::vector<fs::path> names = {"/home/u/radio.dat", "/home/u/my radios/a b.dat ",
                                         "/tmp/*odd;//name\\%41\t;x.dat", "/数据/对讲机.dat"};
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        recent.Add(*name);
    }
    ASSERT_TRUE(recent.Store(store).ok());
    EXPECT_EQ(RecentFiles::Load(store).entries(), recent.entries());

    // A shorter list leaves no old entry behind.
    recent.Remove(names[0]);
    recent.Remove(names[1]);
    ASSERT_TRUE(recent.Store(store).ok());
    EXPECT_EQ(RecentFiles::Load(store).entries(), (std::vector<fs::path>{names[2], names[3]}));
}

TEST(RecentFiles, EntriesThatCannotBeReadBackAreLeftOut) {
    TempDir dir;
    WriteText(dir / "user.ini",
              "[Software\\radioprog\\Recent File List]\nFile1=/ok.dat\nFile2=relative.dat\n"
              "File3=/bad%4\nFile4=/ok.dat\n");
    EXPECT_EQ(RecentFiles::Load(UserStore(dir / "user.ini")).entries(), Paths({"/ok.dat"}));
}

TEST(RecentFiles, AStoreThatCannotBeWrittenSaysSo) {
    TempDir dir;
    WriteText(dir / "file", "");
    UserStore store(dir / "file" / "user.ini");
    RecentFiles recent;
    recent.Add("/r/a.dat");
    EXPECT_FALSE(recent.Store(store).ok());
}

TEST(StoredPath, EncodesOnlyWhatTheStoreCouldNotReadBack) {
    struct Case {
        const char* path;
        const char* stored;
    };
    const Case cases[] = {
        {"/home/u/radio.dat", "/home/u/radio.dat"},
        {"/a b/c.dat", "/a%20b/c.dat"},
        {"/x/*y;z\\w%.dat", "/x/%2Ay%3Bz%5Cw%25.dat"},
        {"/t\tab.dat", "/t%09ab.dat"},
        {"/数据.dat", "/数据.dat"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeStoredPath(c.path), c.stored);
        EXPECT_EQ(DecodeStoredPath(c.stored), fs::path(c.path));
    }
    EXPECT_EQ(DecodeStoredPath("/a%2a.dat"), fs::path("/a*.dat"));
    for (const char* broken : {"/a%", "/a%4", "/a%G1.dat"}) {
        EXPECT_EQ(DecodeStoredPath(broken), std::nullopt) << broken;
    }
}

TEST(RecentMenuText, NumbersTheEntryShortensHomeAndDoublesAmpersands) {
    EXPECT_EQ(RecentMenuText(0, "/home/u/radios/a.dat", "/home/u"), "&1 ~/radios/a.dat");
    EXPECT_EQ(RecentMenuText(3, "/home/user2/a.dat", "/home/u"), "&4 /home/user2/a.dat");
    EXPECT_EQ(RecentMenuText(1, "/srv/R&D/a.dat", "/home/u"), "&2 /srv/R&&D/a.dat");
    EXPECT_EQ(RecentMenuText(0, "/a.dat", "/"), "&1 /a.dat");
    EXPECT_EQ(RecentMenuText(0, "/a.dat", ""), "&1 /a.dat");
}

TEST(DroppedDocument, TheFirstDatFileInAnyCase) {
    EXPECT_EQ(DroppedDocument(Paths({"/a/notes.txt", "/a/R.DAT", "/a/b.dat"})),
              fs::path("/a/R.DAT"));
    EXPECT_EQ(DroppedDocument(Paths({"/a/b.dat"})), fs::path("/a/b.dat"));
    EXPECT_EQ(DroppedDocument(Paths({"/a/notes.txt", "/a/dat", "/a/x.data", "/a/.dat"})),
              std::nullopt);
    EXPECT_EQ(DroppedDocument({}), std::nullopt);
}

}  // namespace
}  // namespace radioprog
