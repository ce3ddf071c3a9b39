#include "core/doc/user_store.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "../../support/special_files.h"
#include "../../support/temp_dir.h"

namespace radioprog {
namespace {

using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

namespace fs = std::filesystem;

constexpr std::string_view kProgramKey = "Software\\radioprog";
constexpr std::string_view kDataKey =
    "Software\\Local AppWizard-Generated Applications\\Program\\Data";

// Sets or unsets an environment variable for one scope and puts the old value back after it.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value)
        : m_name(std::move(name)) {
        if (const char* old = std::getenv(m_name.c_str()); old != nullptr) {
            m_old = old;
        }
        Apply(value);
    }
    ~ScopedEnvironment() { Apply(m_old); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    void Apply(const std::optional<std::string>& value) {
        if (value) {
            ::setenv(m_name.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(m_name.c_str());
        }
    }

    std::string m_name;
    std::optional<std::string> m_old;
};

class UserStoreTest : public ::testing::Test {
protected:
    fs::path File() const { return m_dir / "radioprog" / "user.ini"; }

    TempDir m_dir;
};

TEST_F(UserStoreTest, ValuesComeBackAsWrittenInUnsignedDecimal) {
    UserStore store(File());
    for (const std::uint32_t value : {0u, 1u, 3u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(value);
        ASSERT_TRUE(store.SetInt(kProgramKey, "com", value).ok());
        EXPECT_EQ(store.GetInt(kProgramKey, "com"), value);
    }
    EXPECT_EQ(ReadText(File()), "[Software\\radioprog]\ncom=4294967295\n");
}

TEST_F(UserStoreTest, KeyPathsAndNamesMatchWithoutRegardToCase) {
    UserStore store(File());
    ASSERT_TRUE(store.SetInt(kProgramKey, "com", 2).ok());
    EXPECT_EQ(store.GetInt("SOFTWARE\\RadioProg", "COM"), 2u);
    ASSERT_TRUE(store.SetInt("software\\RADIOPROG", "Com", 4).ok());
    EXPECT_EQ(ReadText(File()), "[Software\\radioprog]\ncom=4\n");
}

TEST_F(UserStoreTest, AMissingFileReadsAsNothingAndIsNotCreated) {
    const fs::path deep = m_dir / "config" / "radioprog" / "user.ini";
    fs::create_directory(m_dir / "empty");
    const fs::path shallow = m_dir / "empty" / "user.ini";
    for (const fs::path& file : {deep, shallow}) {
        SCOPED_TRACE(file);
        const UserStore store(file);
        EXPECT_EQ(store.GetInt(kProgramKey, "com"), std::nullopt);
        EXPECT_EQ(store.GetInt(kProgramKey, "com", 7), 7u);
        EXPECT_FALSE(fs::exists(file));
    }
    EXPECT_FALSE(fs::exists(m_dir / "config"));
}

TEST_F(UserStoreTest, SettingCreatesTheFoldersAndKeepsWhatElseIsStored) {
    const fs::path file = m_dir / "a" / "b" / "user.ini";
    UserStore store(file);
    ASSERT_TRUE(store.SetInt(kProgramKey, "com", 3).ok());
    ASSERT_TRUE(store.SetInt(kProgramKey, "Type", 1).ok());
    ASSERT_TRUE(store.SetInt(kDataKey, "Power", 1).ok());
    EXPECT_EQ(store.GetInt(kProgramKey, "com"), 3u);
    EXPECT_EQ(store.GetInt(kProgramKey, "Type"), 1u);
    EXPECT_EQ(store.GetInt(kDataKey, "Power"), 1u);
    EXPECT_EQ(store.GetInt(kDataKey, "com"), std::nullopt);
    EXPECT_EQ(store.GetInt(kProgramKey, "Power"), std::nullopt);
    EXPECT_EQ(ReadText(file),
              "[Software\\radioprog]\ncom=3\nType=1\n"
              "[Software\\Local AppWizard-Generated Applications\\Program\\Data]\nPower=1\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()),
              1);
}

TEST_F(UserStoreTest, EveryReadSeesTheFileAsItIsNow) {
    const UserStore reader(File());
    UserStore writer(File());
    ASSERT_TRUE(writer.SetInt(kProgramKey, "com", 1).ok());
    EXPECT_EQ(reader.GetInt(kProgramKey, "com"), 1u);
    ASSERT_TRUE(writer.SetInt(kProgramKey, "com", 2).ok());
    EXPECT_EQ(reader.GetInt(kProgramKey, "com"), 2u);
    WriteText(File(), "[Software\\radioprog]\ncom=5\n");
    EXPECT_EQ(reader.GetInt(kProgramKey, "com"), 5u);
}

TEST_F(UserStoreTest, StoredTextReadsAsAFourByteIntegerOrAsMissing) {
    struct Row {
        std::string text;
        std::optional<std::uint32_t> expected;
    };
    const Row rows[] = {
        {"4294967295", 0xFFFFFFFFu},
        {"-1", 0xFFFFFFFFu},
        {"-2147483648", 0x80000000u},
        {"-0", 0u},
        {"007", 7u},
        {"7 // the port", 7u},
        {"4294967296", std::nullopt},
        {"-2147483649", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"--1", std::nullopt},
        {"+7", std::nullopt},
        {"0x10", std::nullopt},
    };
    fs::create_directories(File().parent_path());
    const UserStore store(File());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        WriteText(File(), "[K]\nv=" + row.text + "\n");
        EXPECT_EQ(store.GetInt("K", "v"), row.expected);
    }
}

TEST_F(UserStoreTest, AFileThatCannotBeWrittenIsReported) {
    WriteText(m_dir / "blocker", "a file where a folder should be");
    fs::create_directories(m_dir / "folder" / "user.ini");
    for (const fs::path& file :
         {m_dir / "blocker" / "radioprog" / "user.ini", m_dir / "folder" / "user.ini"}) {
        SCOPED_TRACE(file);
        UserStore store(file);
        const Status status = store.SetInt(kProgramKey, "com", 1);
        ASSERT_FALSE(status.ok());
        EXPECT_NE(status.message().find(file.parent_path().filename().string()), std::string::npos)
            << status.message();
        EXPECT_EQ(store.GetInt(kProgramKey, "com"), std::nullopt);
    }
}

// As a named pipe the store would make every read wait for a writer; it is refused instead,
// and Check says so before anything is looked up.
TEST_F(UserStoreTest, AStoreThatIsNotARegularFileIsRefused) {
    fs::create_directories(File().parent_path());
    const testing::Fifo fifo(File());
    UserStore store(File());
    const std::string refusal =
        "Cannot open \"" + File().string() + "\": it is a named pipe (FIFO), not a regular file";
    EXPECT_EQ(store.Check(Language::English).message(), refusal);
    EXPECT_EQ(store.Check(Language::Chinese).message(),
              "无法打开“" + File().string() + "”：它是命名管道（FIFO），不是普通文件");
    EXPECT_EQ(store.GetInt(kProgramKey, "com"), std::nullopt);
    EXPECT_EQ(store.SetInt(kProgramKey, "com", 2).message(), refusal);
    EXPECT_TRUE(fs::is_fifo(File()));
    EXPECT_FALSE(fifo.rescued());
    EXPECT_TRUE(UserStore(m_dir / "elsewhere.ini").Check(Language::English).ok());
}

TEST_F(UserStoreTest, TextKeepsItsLetterCaseWhileNamesMatchInAnyCase) {
    constexpr std::string_view kPorts = "Software\\radioprog\\Ports";
    UserStore store(File());
    EXPECT_EQ(store.GetText(kPorts, "COM1"), std::nullopt);
    ASSERT_TRUE(store.SetText(kPorts, "COM1", "/dev/ttyUSB0").ok());
    ASSERT_TRUE(store.SetInt(kPorts, "Baud", 9600).ok());
    EXPECT_EQ(store.GetText("software\\RADIOPROG\\ports", "com1"), "/dev/ttyUSB0");
    // A change of case alone is a different device.
    ASSERT_TRUE(store.SetText(kPorts, "com1", "/dev/ttyusb0").ok());
    EXPECT_EQ(UserStore(File()).GetText(kPorts, "COM1"), "/dev/ttyusb0");
    EXPECT_EQ(store.GetText(kPorts, "Baud"), "9600");
    EXPECT_EQ(store.GetInt(kPorts, "Baud"), 9600u);
    EXPECT_EQ(ReadText(File()), "[Software\\radioprog\\Ports]\nCOM1=/dev/ttyusb0\nBaud=9600\n");

    ASSERT_TRUE(store.SetText(kPorts, "COM1", "").ok());
    EXPECT_EQ(store.GetText(kPorts, "COM1"), std::nullopt);
}

TEST_F(UserStoreTest, TextThatWouldNotReadBackTheSameIsRefused) {
    UserStore store(File());
    ASSERT_TRUE(store.SetText(kProgramKey, "port", "/dev/ttyS0").ok());
    const std::string before = ReadText(File());
    for (const std::string_view text : {"/dev/tty\nUSB0", "/dev/ttyUSB0\r", " /dev/ttyUSB0",
                                        "/dev/ttyUSB0\t", "/dev//ttyUSB0", "/dev/*", "COM1\t;x"}) {
        SCOPED_TRACE(text);
        const Status status = store.SetText(kProgramKey, "port", text);
        EXPECT_FALSE(status.ok());
        EXPECT_NE(status.message().find("port"), std::string::npos) << status.message();
    }
    EXPECT_EQ(store.GetText(kProgramKey, "port"), "/dev/ttyS0");
    EXPECT_EQ(ReadText(File()), before);
}

TEST(UserStoreLocation, FollowsXdgConfigHomeElseHome) {
    TempDir config;
    TempDir home;
    const ScopedEnvironment homeVariable("HOME", home.path().string());
    const fs::path underHome = home / ".config" / "radioprog" / "user.ini";
    struct Row {
        const char* what;
        std::optional<std::string> xdg;
        fs::path expected;
    };
    const Row rows[] = {
        {"XDG_CONFIG_HOME set", config.path().string(), config / "radioprog" / "user.ini"},
        {"XDG_CONFIG_HOME unset", std::nullopt, underHome},
        {"XDG_CONFIG_HOME empty", "", underHome},
        {"a relative XDG_CONFIG_HOME is ignored", "relative/config", underHome},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const ScopedEnvironment xdg("XDG_CONFIG_HOME", row.xdg);
        EXPECT_EQ(UserStore::DefaultLocation(), row.expected);
    }

    const ScopedEnvironment xdg("XDG_CONFIG_HOME", config.path().string());
    UserStore store(UserStore::DefaultLocation());
    ASSERT_TRUE(store.SetInt(kDataKey, "Power", 1).ok());
    EXPECT_EQ(ReadText(config / "radioprog" / "user.ini"),
              "[Software\\Local AppWizard-Generated Applications\\Program\\Data]\nPower=1\n");
    EXPECT_FALSE(fs::exists(home / ".config"));
}

}  // namespace
}  // namespace radioprog
