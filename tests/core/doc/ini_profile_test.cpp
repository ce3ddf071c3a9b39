#include "core/doc/ini_profile.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../../support/special_files.h"
#include "../../support/temp_dir.h"

namespace radioprog {
namespace {

using testing::Fifo;
using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

namespace fs = std::filesystem;

// GBK for the Chinese words "settings", "name" and "type"; none of their bytes is ASCII.
constexpr std::string_view kGbkSection = "\xC9\xE8\xD6\xC3";
constexpr std::string_view kGbkKey = "\xC3\xFB\xB3\xC6";
constexpr std::string_view kGbkValue = "\xC0\xE0\xD0\xCD";
// The same three words in UTF-8.
constexpr std::string_view kUtf8Section = "\xE8\xAE\xBE\xE7\xBD\xAE";
constexpr std::string_view kUtf8Key = "\xE5\x90\x8D\xE7\xA7\xB0";
constexpr std::string_view kUtf8Value = "\xE7\xB1\xBB\xE5\x9E\x8B";

class IniProfileTest : public ::testing::Test {
protected:
    fs::path Write(const std::string& text, const std::string& name = "Program.ini") {
        const fs::path file = m_dir / name;
        WriteText(file, text);
        return file;
    }

    TempDir m_dir;
};

TEST_F(IniProfileTest, AMissingFileIsCreatedEmptyAndAnswersWithDefaults) {
    const fs::path file = m_dir / "Program.ini";
    {
        CIniProfile store;
        store.SetDirectory(m_dir.path());
        ASSERT_TRUE(store.Load("Program.ini", true, true, false));
        EXPECT_EQ(store.path(), file);
        ASSERT_TRUE(fs::is_regular_file(file));
        EXPECT_EQ(store.GetValue("Setup", "Language", "English"), "English");
        // The unnamed section always exists, so only its missing key trims the default.
        EXPECT_EQ(store.GetValue("Setup", "Language", " English "), " English ");
        EXPECT_EQ(store.GetValue("", "Language", " English "), "English");
    }
    EXPECT_EQ(fs::file_size(file), 0u);
}

TEST_F(IniProfileTest, LookupsCutTrailingCommentsAndTrimOnlyAtLoad) {
    Write(
        "[Setup]\n"
        "Language=English // the interface language\n"
        "Plain=English\n"
        "Tabbed=a b\t; note\n"
        "TabOnly=a\tb\n"
        "Block=x /* note */\n"
        "Url=http://host\n"
        "Mixed=a/*b//c\n"
        "  Spaced  =   spaced value   \n"
        "NoEquals\n"
        "Twice=first=second\n"
        "[ Padded ]\n"
        "k=v\n");
    CIniProfile store;
    ASSERT_TRUE(store.LoadFile(m_dir / "Program.ini", false, true, false));

    struct Lookup {
        const char* what;
        std::string_view section;
        std::string_view key;
        std::string_view defaultValue;
        std::string_view expected;
    };
    const Lookup lookups[] = {
        {"a // comment keeps the blank before it", "Setup", "Language", "-", "English "},
        {"no comment", "Setup", "Plain", "-", "English"},
        {"tab followed by ;", "Setup", "Tabbed", "-", "a b"},
        {"a tab alone is part of the value", "Setup", "TabOnly", "-", "a\tb"},
        {"/* comment", "Setup", "Block", "-", "x "},
        {"// inside a value cuts it too", "Setup", "Url", "-", "http:"},
        {"the earliest marker wins", "Setup", "Mixed", "-", "a"},
        {"blanks around key and value", "Setup", "Spaced", "-", "spaced value"},
        {"a key without = has an empty value", "Setup", "NoEquals", "-", ""},
        {"split at the first =", "Setup", "Twice", "-", "first=second"},
        {"missing key: trimmed default", "Setup", "Missing", " d ", "d"},
        {"missing section: default as given", "Nowhere", "Language", " d ", " d "},
        {"section names are not trimmed", " Padded ", "k", "-", "v"},
        {"the trimmed name is another section", "Padded", "k", " d ", " d "},
    };
    for (const Lookup& lookup : lookups) {
        SCOPED_TRACE(lookup.what);
        EXPECT_EQ(store.GetValue(lookup.section, lookup.key, lookup.defaultValue), lookup.expected);
    }
}

TEST_F(IniProfileTest, LetterCaseMattersOnlyInACaseSensitiveStore) {
    Write("[setup]\nLANGUAGE=Chinese\n");
    struct Row {
        bool caseInsensitive;
        std::string_view section;
        std::string_view key;
        std::string_view expected;
    };
    const Row rows[] = {
        {true, "Setup", "Language", "Chinese"},  {true, "SETUP", "language", "Chinese"},
        {false, "setup", "LANGUAGE", "Chinese"}, {false, "Setup", "LANGUAGE", "none"},
        {false, "setup", "Language", "none"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.section) + "/" + std::string(row.key));
        CIniProfile store;
        ASSERT_TRUE(store.LoadFile(m_dir / "Program.ini", false, row.caseInsensitive, false));
        EXPECT_EQ(store.GetValue(row.section, row.key, "none"), row.expected);
    }
}

TEST_F(IniProfileTest, TheLastOfTwoEqualKeysIsReadAndReplaced) {
    const fs::path file = Write("[S]\nk=1\nk=2\n");
    CIniProfile store;
    ASSERT_TRUE(store.LoadFile(file, false, true, false));
    EXPECT_EQ(store.GetValue("S", "k", ""), "2");
    store.SetValue("S", "K", "3");
    EXPECT_EQ(store.GetValue("S", "k", ""), "3");
    ASSERT_TRUE(store.Save(false).status);
    EXPECT_EQ(ReadText(file), "[S]\nk=1\nk=3\n");
}

TEST_F(IniProfileTest, OfTwoEqualSectionNamesOnlyTheFirstIsSeenButBothAreKept) {
    const fs::path file = Write("[A]\nx=1\n[B]\ny=2\n[a]\nx=3\nz=4\n");
    CIniProfile store;
    ASSERT_TRUE(store.LoadFile(file, false, true, false));
    EXPECT_EQ(store.GetValue("A", "x", ""), "1");
    EXPECT_EQ(store.GetValue("A", "z", " none "), "none");
    store.SetValue("A", "w", "5");
    ASSERT_TRUE(store.Save(false).status);
    EXPECT_EQ(ReadText(file), "[A]\nx=1\nw=5\n[B]\ny=2\n[a]\nx=3\nz=4\n");
}

TEST_F(IniProfileTest, KeysBeforeTheFirstHeaderFormTheUnnamedSectionWrittenFirst) {
    const fs::path file = Write("top=1\n[S]\nk=v\n");
    CIniProfile store;
    ASSERT_TRUE(store.LoadFile(file, false, true, false));
    EXPECT_EQ(store.GetValue("", "top", ""), "1");
    EXPECT_EQ(store.GetValue("S", "top", " none "), "none");
    store.SetValue("", "new", "2");
    store.SetValue("T", "t", "3");
    ASSERT_TRUE(store.Save(false).status);
    EXPECT_EQ(ReadText(file), "top=1\nnew=2\n[S]\nk=v\n[T]\nt=3\n");

    const fs::path headed = Write("[S]\nk=v\n", "Headed.ini");
    CIniProfile other;
    ASSERT_TRUE(other.LoadFile(headed, false, true, false));
    other.SetValue("", "a", "b");
    ASSERT_TRUE(other.Save(false).status);
    EXPECT_EQ(ReadText(headed), "a=b\n[S]\nk=v\n");
}

TEST_F(IniProfileTest, SavingDropsCommentsAndBlankLinesAndNormalisesKeys) {
    const fs::path file = Write(
        "; comment\n"
        "// comment\n"
        "/* block */\n"
        "\\ backslash\n"
        "* star\n"
        "\n"
        "   \t\n"
        "  [S]  \n"
        " key = value \n"
        "NoEquals\n"
        "=orphan value\n"
        ";k=v\n"
        "*k=v\n");
    CIniProfile store;
    ASSERT_TRUE(store.LoadFile(file, false, true, false));
    EXPECT_EQ(store.GetValue("S", ";k", " none "), "none");
    store.SetValue("S", "added", "1");
    ASSERT_TRUE(store.Save(false).status);
    EXPECT_EQ(ReadText(file), "[S]\nkey=value\nNoEquals=\nadded=1\n");
}

TEST_F(IniProfileTest, OnlyARealChangeMarksTheStoreModified) {
    const std::string original = "[S]\nk=Value\n";
    struct Change {
        const char* what;
        bool caseInsensitive;
        std::string_view section;
        std::string_view key;
        std::string_view value;
        bool modified;
    };
    const Change changes[] = {
        {"letter case of the value only", true, "S", "k", "value", false},
        {"letter case of the names only", true, "s", "K", "Value", false},
        {"the same value", false, "S", "k", "Value", false},
        {"letter case in a case-sensitive store", false, "S", "k", "value", true},
        {"another value", true, "S", "k", "Other", true},
        {"a new key", true, "S", "new", "Value", true},
        {"a new section", true, "T", "k", "Value", true},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        const fs::path file = Write(original);
        CIniProfile store;
        ASSERT_TRUE(store.LoadFile(file, false, change.caseInsensitive, false));
        store.SetValue(change.section, change.key, change.value);
        EXPECT_EQ(store.modified(), change.modified);
        EXPECT_EQ(store.GetValue(change.section, change.key, ""), change.value);
        ASSERT_TRUE(store.Save(false).status);
        if (change.modified) {
            EXPECT_NE(ReadText(file), original);
        } else {
            EXPECT_EQ(ReadText(file), original);
        }
    }
}

TEST_F(IniProfileTest, ACaseOnlyChangeIsWrittenWithARealOne) {
    const fs::path file = Write("[S]\nk=Value\n");
    CIniProfile store;
    ASSERT_TRUE(store.LoadFile(file, false, true, false));
    store.SetValue("S", "k", "value");
    store.SetValue("S", "other", "1");
    ASSERT_TRUE(store.Save(false).status);
    EXPECT_EQ(ReadText(file), "[S]\nk=value\nother=1\n");
}

TEST(IniProfileBackup, CountsUpFromTheLargestNumberEndingANameThatStartsWithTheStem) {
    struct Row {
        std::vector<std::string> existing;
        std::string suffix;
    };
    const Row rows[] = {
        {{}, ".001"},
        {{"Program.ini.007"}, ".008"},
        {{"Program.ini.007", "Other.ini.999", "Program.bak"}, ".008"},
        {{"Program-12x"}, ".013"},
        {{"Program.ini.1005"}, ".006"},
        {{"Program.ini.999"}, ".1000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.suffix);
        TempDir dir;
        const fs::path file = dir / "Program.ini";
        WriteText(file, "[S]\nk=old\n");
        for (const std::string& name : row.existing) {
            WriteText(dir / name, "x");
        }
        CIniProfile store;
        ASSERT_TRUE(store.LoadFile(file, false, true, true));
        store.SetValue("S", "k", "new");
        const CIniProfile::Saved saved = store.Save(true);
        const Status& status = saved.status;
        const std::string& backup = saved.backupName;
        EXPECT_TRUE(status.ok()) << status.message();
        EXPECT_EQ(backup, file.string() + row.suffix);
        EXPECT_EQ(ReadText(backup), "[S]\nk=old\n");
        EXPECT_EQ(ReadText(file), "[S]\nk=new\n");
        EXPECT_TRUE(store.modified());
    }
}

TEST(IniProfileBackup, AStoreKeepsItsBackupNameAndTheNextStoreTakesTheNextNumber) {
    TempDir dir;
    const fs::path file = dir / "Program.ini";
    WriteText(file, "[S]\nk=1\n");
    const std::string first = file.string() + ".001";
    {
        CIniProfile store;
        ASSERT_TRUE(store.LoadFile(file, false, true, true));
        store.SetValue("S", "k", "2");
        EXPECT_EQ(store.Save(true).backupName, first);
        store.SetValue("S", "k", "3");
        EXPECT_EQ(store.Save(true).backupName, first);
        EXPECT_EQ(ReadText(first), "[S]\nk=2\n");
        EXPECT_EQ(store.Save(false).backupName, first);
    }
    CIniProfile next;
    ASSERT_TRUE(next.LoadFile(file, false, true, true));
    next.SetValue("S", "k", "4");
    EXPECT_EQ(next.Save(true).backupName, file.string() + ".002");
    EXPECT_EQ(ReadText(file.string() + ".002"), "[S]\nk=3\n");
}

TEST(IniProfileWriteBack, DestructionSavesWithTheChoicesMadeAtLoad) {
    const std::string original = "; settings\n[S]\nk=1\n";
    struct Row {
        const char* what;
        bool writeBack;
        bool backup;
        bool change;
        std::string expected;
    };
    const Row rows[] = {
        {"write-back saves a change", true, false, true, "[S]\nk=2\n"},
        {"write-back with a backup", true, true, true, "[S]\nk=2\n"},
        {"nothing changed, nothing written", true, true, false, original},
        {"write-back off", false, false, true, original},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        const fs::path file = dir / "Program.ini";
        WriteText(file, original);
        {
            CIniProfile store;
            ASSERT_TRUE(store.LoadFile(file, row.writeBack, true, row.backup));
            if (row.change) {
                store.SetValue("S", "k", "2");
            }
        }
        EXPECT_EQ(ReadText(file), row.expected);
        const fs::path backup = file.string() + ".001";
        EXPECT_EQ(fs::exists(backup), row.backup && row.change);
        if (fs::exists(backup)) {
            EXPECT_EQ(ReadText(backup), original);
        }
    }
}

TEST_F(IniProfileTest, AMarkedStoreWritesAChangeOfLetterCaseAlone) {
    const fs::path file = Write("[Setup]\nLanguage=chinese\n");
    CIniProfile store;
    ASSERT_TRUE(store.LoadFile(file, false, true, false));
    store.SetValue("Setup", "Language", "Chinese");
    ASSERT_TRUE(store.Save(false).status);
    EXPECT_EQ(ReadText(file), "[Setup]\nLanguage=chinese\n");
    store.MarkModified();
    ASSERT_TRUE(store.Save(false).status);
    EXPECT_EQ(ReadText(file), "[Setup]\nLanguage=Chinese\n");

    CIniProfile empty;
    empty.MarkModified();
    EXPECT_FALSE(empty.modified());
}

// The program saves its settings, starts its next instance and ends: whatever the next instance
// wrote in between survives the end of the first.
TEST_F(IniProfileTest, AStoreThatStoppedWritingBackLeavesTheFileToItsNextOwner) {
    const fs::path file = Write("[Setup]\nLanguage=English\n");
    {
        CIniProfile store;
        ASSERT_TRUE(store.LoadFile(file, true, true, false));
        store.SetValue("Setup", "Language", "Chinese");
        const Status status = store.Save(false).status;
        ASSERT_TRUE(status.ok()) << status.message();
        EXPECT_EQ(ReadText(file), "[Setup]\nLanguage=Chinese\n");
        store.StopWriteBack();
        WriteText(file, "[Setup]\nLanguage=English\n");
        EXPECT_EQ(store.GetValue("Setup", "Language", ""), "Chinese");
    }
    EXPECT_EQ(ReadText(file), "[Setup]\nLanguage=English\n");
}

TEST_F(IniProfileTest, LoadingAnotherFileSavesTheFirstWithoutABackup) {
    const fs::path first = Write("[S]\nk=1\n", "First.ini");
    const fs::path second = Write("[T]\nt=2\n", "Second.ini");
    CIniProfile store;
    ASSERT_TRUE(store.LoadFile(first, false, true, true));
    store.SetValue("S", "k", "9");
    ASSERT_TRUE(store.LoadFile(second, false, true, false));
    EXPECT_EQ(ReadText(first), "[S]\nk=9\n");
    EXPECT_FALSE(fs::exists(first.string() + ".001"));
    EXPECT_EQ(store.path(), second);
    EXPECT_FALSE(store.modified());
    EXPECT_EQ(store.GetValue("S", "k", " none "), " none ");
    EXPECT_EQ(store.GetValue("T", "t", ""), "2");
}

TEST_F(IniProfileTest, FilesComeBackInTheBytesTheyWereReadIn) {
    struct Encoded {
        const char* what;
        std::string content;
        std::string_view section;
        std::string_view key;
        std::string_view value;
    };
    const std::string gbk = "[" + std::string(kGbkSection) + "]\n" + std::string(kGbkKey) + "=" +
                            std::string(kGbkValue) + "\n";
    const std::string utf8 = "[" + std::string(kUtf8Section) + "]\n" + std::string(kUtf8Key) + "=" +
                             std::string(kUtf8Value) + "\n";
    const Encoded files[] = {
        {"GBK", gbk, kGbkSection, kGbkKey, kGbkValue},
        {"GBK with CRLF",
         "[" + std::string(kGbkSection) + "]\r\nType=" + std::string(kGbkValue) + "\r\n",
         kGbkSection, "type", kGbkValue},
        {"UTF-8", utf8, kUtf8Section, kUtf8Key, kUtf8Value},
        {"CRLF", "[Setup]\r\nLanguage=English\r\n", "Setup", "Language", "English"},
        {"byte-order mark", "\xEF\xBB\xBF[Setup]\nLanguage=English\n", "Setup", "Language",
         "English"},
        {"byte-order mark and CRLF", "\xEF\xBB\xBF[Setup]\r\nLanguage=English\r\n", "setup",
         "language", "English"},
    };
    for (const Encoded& encoded : files) {
        SCOPED_TRACE(encoded.what);
        const fs::path file = Write(encoded.content);
        CIniProfile store;
        ASSERT_TRUE(store.LoadFile(file, false, true, false));
        EXPECT_EQ(store.GetValue(encoded.section, encoded.key, "none"), encoded.value);
        // Changing the value and setting it back forces a save of the unchanged content.
        store.SetValue(encoded.section, encoded.key, "changed");
        store.SetValue(encoded.section, encoded.key, encoded.value);
        const Status status = store.Save(false).status;
        ASSERT_TRUE(status.ok()) << status.message();
        EXPECT_EQ(ReadText(file), encoded.content);
    }
}

TEST_F(IniProfileTest, NewLinesFollowTheLineEndingsAndByteOrderMarkOfTheFile) {
    const fs::path file = Write("\xEF\xBB\xBF[Setup]\r\nA=1\r\n");
    CIniProfile store;
    ASSERT_TRUE(store.LoadFile(file, false, true, false));
    store.SetValue("Setup", "B", "2");
    store.SetValue("New", "C", "3");
    ASSERT_TRUE(store.Save(false).status);
    EXPECT_EQ(ReadText(file), "\xEF\xBB\xBF[Setup]\r\nA=1\r\nB=2\r\n[New]\r\nC=3\r\n");
}

TEST_F(IniProfileTest, AKeyBeginningWithAByteOrderMarkCharacterSurvivesASave) {
    // Not a mark: the file starts with a blank line, which the save drops.
    const fs::path file = Write("\n\xEF\xBB\xBFkey=1\n");
    {
        CIniProfile store;
        ASSERT_TRUE(store.LoadFile(file, false, true, false));
        store.SetValue("S", "k", "2");
        ASSERT_TRUE(store.Save(false).status);
    }
    CIniProfile reloaded;
    ASSERT_TRUE(reloaded.LoadFile(file, false, true, false));
    EXPECT_EQ(reloaded.GetValue("", "\xEF\xBB\xBFkey", "none"), "1");
    EXPECT_EQ(reloaded.GetValue("S", "k", "none"), "2");
}

TEST_F(IniProfileTest, LetterCaseFoldsOnlyInAsciiCharactersOfTheFilesEncoding) {
    // 0x81 0x41 is one GBK character whose second byte is an 'A'; the file is not UTF-8.
    const std::string gbk = "[S]\n\x81\x41=1\nName=2\n";
    // E4 BD A0 is one UTF-8 character; in GBK its last byte would lead a character with the 'A'.
    const std::string utf8 =
        "[S]\n\xE4\xBD\xA0"
        "A=1\n\xC3\xA9=2\n";
    const std::string gbkComment = "; \xC0\xE0\n" + utf8;
    struct Row {
        const char* what;
        const std::string& content;
        std::string_view key;
        std::string_view expected;
    };
    const Row rows[] = {
        {"GBK: the same character", gbk, "\x81\x41", "1"},
        {"GBK: a trail byte never folds", gbk, "\x81\x61", "none"},
        {"GBK: ASCII letters fold", gbk, "NAME", "2"},
        {"UTF-8: an ASCII letter after a multibyte character folds", utf8,
         "\xE4\xBD\xA0"
         "a",
         "1"},
        {"UTF-8: bytes of multibyte characters never fold", utf8, "\xC3\x89", "none"},
        {"a GBK comment makes the whole file GBK", gbkComment,
         "\xE4\xBD\xA0"
         "a",
         "none"},
        {"GBK file: the exact key still matches", gbkComment,
         "\xE4\xBD\xA0"
         "A",
         "1"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const fs::path file = Write(row.content);
        CIniProfile store;
        ASSERT_TRUE(store.LoadFile(file, false, true, false));
        EXPECT_EQ(store.GetValue("S", row.key, " none "), row.expected);
    }
}

TEST(IniProfileFailure, AFailedSaveIsReportedAndWritesNothing) {
    struct Row {
        const char* what;
        bool backup;
        std::function<void(const fs::path& file)> breakIt;
    };
    const auto folderInTheWay = [](const fs::path& file) {
        fs::remove(file);
        fs::create_directory(file);
        WriteText(file / "inside", "kept");
    };
    const Row rows[] = {
        {"the folder was removed", false,
         [](const fs::path& file) { fs::remove_all(file.parent_path()); }},
        {"the folder was removed, with a backup", true,
         [](const fs::path& file) { fs::remove_all(file.parent_path()); }},
        {"a folder replaced the file", false, folderInTheWay},
        {"a folder is in the way of the backup copy", true, folderInTheWay},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        const fs::path folder = dir / "settings";
        fs::create_directory(folder);
        const fs::path file = folder / "Program.ini";
        WriteText(file, "[S]\nk=1\n");
        CIniProfile store;
        ASSERT_TRUE(store.LoadFile(file, false, true, row.backup));
        store.SetValue("S", "k", "2");
        row.breakIt(file);

        const CIniProfile::Saved saved = store.Save(row.backup);
        const Status& status = saved.status;
        EXPECT_EQ(saved.backupName, "");
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.message().find("Program.ini"), std::string::npos) << status.message();
        if (fs::is_directory(file)) {
            EXPECT_EQ(ReadText(file / "inside"), "kept");
        } else {
            EXPECT_FALSE(fs::exists(folder));
        }
    }
}

TEST(IniProfileFailure, AnEmptyStoreAnswersTrimmedDefaultsAndIgnoresChanges) {
    struct Row {
        const char* what;
        std::function<void(CIniProfile& store, const TempDir& dir)> prepare;
    };
    const Row rows[] = {
        {"never loaded", [](CIniProfile&, const TempDir&) {}},
        {"the file is in a missing folder",
         [](CIniProfile& store, const TempDir& dir) {
             EXPECT_FALSE(store.LoadFile(dir / "missing" / "Program.ini", true, true, false));
             EXPECT_FALSE(fs::exists(dir / "missing"));
         }},
        {"the file is a folder",
         [](CIniProfile& store, const TempDir& dir) {
             fs::create_directory(dir / "Program.ini");
             EXPECT_FALSE(store.LoadFile(dir / "Program.ini", true, true, false));
         }},
        // Read, the pipe would wait for a writer; written, it would be replaced by a file.
        {"the file is a named pipe",
         [](CIniProfile& store, const TempDir& dir) {
             const Fifo fifo(dir / "Program.ini");
             Status status = Status::Ok();
             EXPECT_FALSE(store.LoadFile(fifo.path(), true, true, false, &status));
             EXPECT_EQ(status.message(), "Cannot open \"" + fifo.path().string() +
                                             "\": it is a named pipe (FIFO), not a regular file");
             EXPECT_FALSE(store.LoadFileIfPresent(fifo.path(), true, true, false));
             EXPECT_FALSE(fifo.rescued());
         }},
        {"the file is a device",
         [](CIniProfile& store, const TempDir&) {
             EXPECT_FALSE(store.LoadFileIfPresent("/dev/zero", false, true, false));
         }},
        {"cleared",
         [](CIniProfile& store, const TempDir& dir) {
             WriteText(dir / "Program.ini", "[S]\nk=1\n");
             ASSERT_TRUE(store.LoadFile(dir / "Program.ini", true, true, false));
             store.Clear();
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir dir;
        CIniProfile store;
        row.prepare(store, dir);
        EXPECT_TRUE(store.path().empty());
        EXPECT_EQ(store.GetValue("S", "k", " d "), "d");
        EXPECT_EQ(store.GetValue("", "k", " d "), "d");
        store.SetValue("S", "k", "2");
        EXPECT_FALSE(store.modified());
        EXPECT_EQ(store.GetValue("S", "k", " d "), "d");
        const CIniProfile::Saved saved = store.Save(true);
        EXPECT_EQ(saved.backupName, "");
        EXPECT_TRUE(saved.status.ok());
    }
}

}  // namespace
}  // namespace radioprog
