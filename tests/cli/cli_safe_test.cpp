// Safe writes, backups and their failures end to end: radioprog-cli against radioprog-sim and
// the demo radio on pseudo-terminals.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "../support/background_process.h"
#include "../support/process.h"
#include "../support/temp_dir.h"
#include "core/radio/memory_image.h"

namespace radioprog {
namespace {

using testing::BackgroundProcess;
using testing::ProcessResult;
using testing::ReadBytes;
using testing::RunProcess;
using testing::TempDir;
namespace fs = std::filesystem;

class CliSafeTest : public ::testing::Test {
protected:
    ProcessResult Cli(std::vector<std::string> args, std::vector<std::string> environment = {}) {
        args.insert(args.begin(), {"--appdir", m_dir.path().string()});
        environment.push_back("XDG_CONFIG_HOME=" + (m_dir / "config").string());
        environment.push_back("XDG_DATA_HOME=" + m_data.string());
        return RunProcess(RADIOPROG_CLI, args, environment);
    }
    std::string File(const std::string& name) const { return (m_dir / name).string(); }
    std::unique_ptr<BackgroundProcess> Sim(std::vector<std::string> args) {
        args.insert(args.begin(), {"--memory", File("radio.dat")});
        auto sim = std::make_unique<BackgroundProcess>(RADIOPROG_SIM, args);
        m_device = sim->FirstLine();
        EXPECT_EQ(m_device.rfind("/dev/", 0), 0u) << m_device;
        return sim;
    }
    nlohmann::json Backups() {
        const ProcessResult listed = Cli({"backups", "--json"});
        EXPECT_EQ(listed.exitCode, 0) << listed.err;
        return nlohmann::json::parse(listed.out);
    }
    /// A file whose channel 4 (half-block 0x40) differs from a new radio's.
    void MakeFile() {
        ASSERT_EQ(Cli({"new", "-o", File("mine.dat")}).exitCode, 0);
        ASSERT_EQ(Cli({"set", File("mine.dat"), "4", "rx=150.000"}).exitCode, 0);
    }

    TempDir m_dir;
    fs::path m_data = m_dir / "data";
    std::string m_device;
};

TEST_F(CliSafeTest, AWriteIsBackedUpWrittenAndVerifiedAndEveryReadKept) {
    MakeFile();
    auto sim = Sim({});
    ProcessResult result = Cli({"read", "--port", m_device, "-o", File("before.dat")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    result = Cli({"write", "--port", m_device, File("mine.dat")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("Written and verified"), std::string::npos) << result.err;
    EXPECT_EQ(sim->Stop(), 0);

    const nlohmann::json backups = Backups();
    ASSERT_EQ(backups.size(), 2u) << backups.dump();
    EXPECT_EQ(backups[0]["kind"], "before-write");
    EXPECT_EQ(backups[1]["kind"], "read");
    const std::string port = backups[0]["port"];
    EXPECT_EQ(port.rfind("dev_pts_", 0), 0u) << port;
    // Both hold what the radio held before the write; the radio now holds the file.
    const auto before = ReadBytes(File("before.dat"));
    EXPECT_EQ(ReadBytes(backups[0]["path"].get<std::string>()), before);
    EXPECT_EQ(ReadBytes(backups[1]["path"].get<std::string>()), before);
    const auto radio = ReadBytes(File("radio.dat"));
    const auto mine = ReadBytes(File("mine.dat"));
    EXPECT_TRUE(std::equal(mine.begin(), mine.begin() + 0x3E0, radio.begin()));

    const ProcessResult lines = Cli({"backups"});
    EXPECT_EQ(lines.out.find(backups[0]["path"].get<std::string>()), 0u) << lines.out;
    EXPECT_NE(lines.out.find("  before-write  " + port + "\n"), std::string::npos) << lines.out;
}

TEST_F(CliSafeTest, AWriteTheRadioDidNotKeepExitsEightWithTheAddresses) {
    MakeFile();
    auto sim = Sim({"--drop-write", "0x40"});
    const ProcessResult result = Cli({"write", "--port", m_device, File("mine.dat")});
    EXPECT_EQ(result.exitCode, 8);
    EXPECT_NE(result.err.find("at the half-blocks 0x0040\nBackup: " + m_data.string()),
              std::string::npos)
        << result.err;
    // Without the verify nobody notices.
    EXPECT_EQ(Cli({"write", "--port", m_device, File("mine.dat"), "--no-verify"}).exitCode, 0);
}

TEST_F(CliSafeTest, FaultsOfTheRadioAreCaughtOrWaitedFor) {
    MakeFile();
    {
        // A radio that restarts after programming is waited for, without a question.
        auto sim = Sim({"--restart-after-write", "1500"});
        const ProcessResult result = Cli({"write", "--port", m_device, File("mine.dat")});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.err.find("Communication Error"), std::string::npos) << result.err;
    }
    {
        // A stray byte before a read reply is asked for again: the data are exact.
        auto sim = Sim({"--noise-before", "0x20"});
        const ProcessResult result = Cli({"read", "--port", m_device, "-o", File("read.dat")});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(sim->Stop(), 0);
        const auto read = ReadBytes(File("read.dat"));
        const auto radio = ReadBytes(File("radio.dat"));
        EXPECT_TRUE(std::equal(read.begin(), read.begin() + 0x3E0, radio.begin()));
    }
    {
        // The demo radio takes the same faults.
        const ProcessResult result = Cli({"write", "--port", "demo", File("mine.dat")},
                                         {"RADIOPROG_DEMO_FAULTS=drop-write=0x40"});
        EXPECT_EQ(result.exitCode, 8) << result.err;
    }
}

TEST_F(CliSafeTest, NothingIsWrittenWhenTheRadioCannotBeBackedUp) {
    MakeFile();
    {
        auto sim = Sim({"--stop-after", "40"});
        const ProcessResult result = Cli({"write", "--port", m_device, File("mine.dat")});
        EXPECT_EQ(result.exitCode, 6);
        EXPECT_NE(result.err.find("Nothing was written"), std::string::npos) << result.err;
        EXPECT_EQ(sim->Stop(), 0);
        const auto radio = ReadBytes(File("radio.dat"));
        const auto mine = ReadBytes(File("mine.dat"));
        ASSERT_EQ(radio.size(), 1024u);
        EXPECT_FALSE(std::equal(mine.begin() + 0x40, mine.begin() + 0x48, radio.begin() + 0x40));
    }
    // The backups folder cannot be made: a write is refused, a read lands with a warning.
    testing::WriteText(m_data, "a file where the folder should be");
    auto sim = Sim({});
    ProcessResult result = Cli({"write", "--port", m_device, File("mine.dat")});
    EXPECT_EQ(result.exitCode, 7);
    EXPECT_NE(result.err.find("Nothing was written: the radio's memory could not be backed up"),
              std::string::npos)
        << result.err;
    result = Cli({"read", "--port", m_device, "-o", File("read.dat")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.err.find("Warning: the read was not kept as a backup: Cannot write"),
              std::string::npos)
        << result.err;
    EXPECT_EQ(ReadBytes(File("read.dat")).size(), 1024u);
    result = Cli({"write", "--port", m_device, File("mine.dat"), "--no-backup"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(sim->Stop(), 0);
    const auto radio = ReadBytes(File("radio.dat"));
    const auto mine = ReadBytes(File("mine.dat"));
    EXPECT_TRUE(std::equal(mine.begin(), mine.begin() + 0x3E0, radio.begin()));
}

TEST_F(CliSafeTest, DiffShowsTheChangesOfTwoFilesOrOfAFileAndTheRadio) {
    MakeFile();
    ASSERT_EQ(Cli({"new", "-o", File("new.dat")}).exitCode, 0);
    ProcessResult result = Cli({"diff", File("new.dat"), File("mine.dat")});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_EQ(result.out.rfind("Channel 4  Rx Frequency:  -> 150.00000\n", 0), 0u) << result.out;
    result = Cli({"diff", File("new.dat"), File("mine.dat"), "--lang", "zh"});
    EXPECT_EQ(result.out.rfind("信道 4  ", 0), 0u) << result.out;
    result = Cli({"diff", File("mine.dat"), File("mine.dat"), "--json"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(nlohmann::json::parse(result.out),
              nlohmann::json::parse(R"({"identical": true, "channels": [], "settings": [],
                                        "bytes": []})"));

    // Against the radio: the read is kept as a backup.
    auto sim = Sim({});
    result = Cli({"diff", File("mine.dat"), "--port", m_device, "--json"});
    EXPECT_EQ(result.exitCode, 1) << result.err;
    const nlohmann::json diff = nlohmann::json::parse(result.out);
    EXPECT_EQ(diff["identical"], false);
    EXPECT_EQ(diff["channels"][0],
              nlohmann::json::parse(R"({"channel": 4, "column": "rx", "old": "150.00000",
                                        "new": ""})"));
    EXPECT_EQ(Backups().size(), 1u);
    ASSERT_EQ(Cli({"write", "--port", m_device, File("mine.dat")}).exitCode, 0);
    EXPECT_EQ(Cli({"diff", File("mine.dat"), "--port", m_device}).exitCode, 0);

    EXPECT_EQ(Cli({"diff", File("mine.dat")}).exitCode, 2);
    EXPECT_EQ(Cli({"diff", File("mine.dat"), File("missing.dat")}).exitCode, 7);
    EXPECT_EQ(Cli({"diff", File("mine.dat"), "--port", "/dev/radioprog-missing"}).exitCode, 3);
}

// Line noise on a radio without an Admin password: never a Password Error, and a query shows
// the radio's own User password or nothing.
TEST_F(CliSafeTest, NoiseIsNeverTakenForAnIdentity) {
    for (const char* seed : {"1", "2", "3", "4", "5", "6"}) {
        SCOPED_TRACE(seed);
        auto sim = Sim({"--garbage", seed, "--user-password", "42"});
        for (int i = 0; i < 3; ++i) {
            const ProcessResult query =
                Cli({"password", "query", "--port", m_device, "--retries", "0"});
            if (query.exitCode == 0) {
                EXPECT_EQ(query.out, "42\n");
            } else {
                EXPECT_EQ(query.out, "");
                EXPECT_EQ(query.err.find("Password error"), std::string::npos) << query.err;
            }
            const ProcessResult read =
                Cli({"read", "--port", m_device, "-o", File("read.dat"), "--retries", "0"});
            EXPECT_NE(read.exitCode, 5) << read.err;
        }
    }
}

}  // namespace
}  // namespace radioprog
