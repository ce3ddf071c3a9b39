#include "core/doc/backup_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <fstream>
#include <set>
#include <thread>

#include "../../support/temp_dir.h"
#include "core/doc/user_store.h"
#include "core/radio/new_image.h"
#include "core/radio/packed_password.h"

namespace radioprog {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using SystemClock = std::chrono::system_clock;

// 2026-12-10 14:30:00 UTC.
const SystemClock::time_point kNow = SystemClock::from_time_t(1796913000);

class BackupStoreTest : public ::testing::Test {
protected:
    BackupStoreTest() {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        m_image = NewRadioImage(*PackPassword(""));
        // Channels 1 and 5 hold a receive frequency.
        for (const int channel : {1, 5}) {
            m_image[image::ChannelOffset(channel) + 3] = 0x14;
        }
    }
    BackupStore Store(BackupLimits limits = {}) const {
        return BackupStore(m_dir / "backups", limits, [this] { return m_now; });
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const BackupEntry& entry : Store().List()) {
            names.push_back(entry.file.filename().string());
        }
        return names;
    }
    void Touch(const std::string& name) const {
        fs::create_directories(m_dir / "backups");
        std::ofstream(m_dir / "backups" / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(m_image.data()), image::kSize);
    }

    TempDir m_dir;
    SystemClock::time_point m_now = kNow;
    RadioImage m_image{};
};

TEST(FileSafePortName, KeepsLettersDigitsDotsAndUnderscoresOnly) {
    for (const auto& [port, safe] : std::vector<std::pair<std::string, std::string>>{
             {"COM1", "COM1"},
             {"/dev/ttyUSB0", "dev_ttyUSB0"},
             {"/dev/serial/by-id/usb-Prolific_PL2303-if00",
              "dev_serial_by_id_usb_Prolific_PL2303_if00"},
             {"../../x", "x"},
             {"///", "port"},
             {"", "port"}}) {
        EXPECT_EQ(FileSafePortName(port), safe) << port;
    }
}

TEST_F(BackupStoreTest, NamesTellTimeKindAndPortAndAClashGetsTheNextNumber) {
    const BackupStore store = Store();
    std::vector<std::string> saved;
    for (const BackupKind kind :
         {BackupKind::Read, BackupKind::Read, BackupKind::BeforeWrite, BackupKind::Read}) {
        const BackupStore::Saved result =
            store.Save(m_image, kind, "/dev/ttyUSB0", Language::English);
        ASSERT_TRUE(result.status) << result.status.message();
        EXPECT_EQ(ReadBytes(result.file),
                  std::vector<std::uint8_t>(m_image.begin(), m_image.end()));
        saved.push_back(result.file.filename().string());
    }
    EXPECT_EQ(saved, (std::vector<std::string>{"20261210T143000-read-dev_ttyUSB0.dat",
                                               "20261210T143000-read-dev_ttyUSB0-2.dat",
                                               "20261210T143000-before-write-dev_ttyUSB0.dat",
                                               "20261210T143000-read-dev_ttyUSB0-3.dat"}));
    m_now += std::chrono::seconds(61);
    ASSERT_TRUE(store.Save(m_image, BackupKind::Read, "COM2", Language::English).status);

    const std::vector<BackupEntry> entries = store.List();
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].file.filename(), "20261210T143101-read-COM2.dat");
    EXPECT_EQ(entries[0].timeText, "2026-12-10 14:31:01");
    EXPECT_EQ(entries[0].port, "COM2");
    EXPECT_EQ(entries[0].filledChannels, 2);
    EXPECT_EQ(entries[0].time, m_now);
    EXPECT_EQ(entries[1].file.filename(), "20261210T143000-read-dev_ttyUSB0-3.dat");
    EXPECT_EQ(entries[2].file.filename(), "20261210T143000-read-dev_ttyUSB0-2.dat");
    EXPECT_EQ(entries[2].kind, BackupKind::Read);
    // No staging file stays behind.
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& file : fs::directory_iterator(m_dir / "backups")) {
        ++files;
    }
    EXPECT_EQ(files, 5u);
}

TEST_F(BackupStoreTest, PrunesByAgeAndCountOldestFirstButKeepsTheNewestAndOtherFiles) {
    // 30 backups one day apart, the newest today; and files that are not backups.
    for (int day = 0; day < 30; ++day) {
        const std::time_t at = SystemClock::to_time_t(kNow - std::chrono::hours(24) * day);
        std::tm utc{};
        ::gmtime_r(&at, &utc);
        char name[64];
        std::strftime(name, sizeof name, "%Y%m%dT%H%M%S-read-COM1.dat", &utc);
        Touch(name);
    }
    Touch("notes.dat");
    Touch("20261210T143000-read-COM1.txt");
    BackupLimits limits;
    limits.maxFiles = 25;
    limits.maxAgeDays = 10;
    limits.keepNewest = 20;
    Store(limits).Prune();
    // Beyond 10 days only the newest 20 stay; the count of 25 is not reached.
    std::vector<std::string> names = Names();
    ASSERT_EQ(names.size(), 20u);
    EXPECT_EQ(names.front(), "20261210T143000-read-COM1.dat");
    EXPECT_EQ(names.back(), "20261121T143000-read-COM1.dat");

    limits.maxAgeDays = 365;
    limits.maxFiles = 5;
    limits.keepNewest = 8;
    Store(limits).Prune();
    names = Names();
    EXPECT_EQ(names.size(), 8u);
    EXPECT_TRUE(fs::exists(m_dir / "backups" / "notes.dat"));
    EXPECT_TRUE(fs::exists(m_dir / "backups" / "20261210T143000-read-COM1.txt"));
}

// Pruning frees the low numbers of a busy second; a new backup must still sort as the newest.
TEST_F(BackupStoreTest, ManyBackupsInOneSecondKeepTheNewestWhenPruned) {
    BackupLimits limits;
    limits.maxFiles = 3;
    limits.keepNewest = 2;
    const BackupStore store = Store(limits);
    for (int i = 0; i < 6; ++i) {
        const BackupStore::Saved saved =
            store.Save(m_image, BackupKind::Read, "COM1", Language::English);
        ASSERT_TRUE(saved.status);
        EXPECT_TRUE(fs::exists(saved.file)) << i;
        EXPECT_EQ(store.List().front().file, saved.file) << i;
    }
    EXPECT_EQ(Names(), (std::vector<std::string>{"20261210T143000-read-COM1-6.dat",
                                                 "20261210T143000-read-COM1-5.dat",
                                                 "20261210T143000-read-COM1-4.dat"}));
}

TEST_F(BackupStoreTest, AFolderThatCannotBeMadeIsAFailureThatSaysWhere) {
    std::ofstream(m_dir / "backups") << "a file in the folder's place";
    const BackupStore::Saved result =
        Store().Save(m_image, BackupKind::BeforeWrite, "COM1", Language::English);
    EXPECT_FALSE(result.status);
    EXPECT_NE(result.status.message().find((m_dir / "backups").string()), std::string::npos)
        << result.status.message();
    EXPECT_TRUE(result.file.empty());
}

TEST_F(BackupStoreTest, TheStoredLimitsAreReadWithTheirDefaults) {
    UserStore user(m_dir / "user.ini");
    BackupLimits limits = StoredBackupLimits(user);
    EXPECT_EQ(limits.maxAgeDays, 365);
    EXPECT_EQ(limits.maxFiles, 500);
    EXPECT_EQ(limits.keepNewest, 20);
    ASSERT_TRUE(user.SetInt("Software\\radioprog\\Backups", "MaxAgeDays", 30));
    ASSERT_TRUE(user.SetInt("Software\\radioprog\\Backups", "MaxFiles", 0));
    limits = StoredBackupLimits(user);
    EXPECT_EQ(limits.maxAgeDays, 30);
    EXPECT_EQ(limits.maxFiles, 500);  // 0 would keep nothing: not a limit
}

TEST_F(BackupStoreTest, ManyThreadsBackingUpInTheSameSecondEachGetAFileOfTheirOwn) {
    const BackupStore store = Store();
    constexpr int kThreads = 8;
    std::vector<fs::path> files(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            RadioImage mine = m_image;
            mine[0x3F0] = static_cast<std::uint8_t>(t);
            const auto result = store.Save(mine, BackupKind::Read, "COM1", Language::English);
            if (result.status) {
                files[static_cast<std::size_t>(t)] = result.file;
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    std::set<std::uint8_t> marks;
    for (const fs::path& file : files) {
        const auto bytes = ReadBytes(file);
        ASSERT_EQ(bytes.size(), image::kSize) << file;
        marks.insert(bytes[0x3F0]);
    }
    EXPECT_EQ(marks.size(), static_cast<std::size_t>(kThreads));
}

// A backup killed at any moment leaves no torn file: each backup is whole or absent.
TEST_F(BackupStoreTest, AKillDuringABackupLeavesNoTornFile) {
    const fs::path folder = m_dir / "backups";
    for (int round = 0; round < 10; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const BackupStore store(folder, BackupLimits{365, 100000, 20});
            for (;;) {
                static_cast<void>(store.Save(m_image, BackupKind::Read, "COM1", Language::English));
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + round * 7));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    const std::vector<BackupEntry> entries = BackupStore(folder).List();
    EXPECT_FALSE(entries.empty());
    for (const BackupEntry& entry : entries) {
        ASSERT_EQ(ReadBytes(entry.file), std::vector<std::uint8_t>(m_image.begin(), m_image.end()))
            << entry.file;
    }
}

}  // namespace
}  // namespace radioprog
