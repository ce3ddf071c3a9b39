#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "../support/background_process.h"
#include "../support/process.h"
#include "../support/temp_dir.h"
#include "cli_run.h"

namespace radioprog {
namespace {

using testing::BackgroundProcess;
using testing::ProcessResult;
using testing::ReadText;
using testing::RunProcess;
using testing::TempDir;

class CliFleetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(Cli({"new", "-o", File("fleet.dat")}).exitCode, 0);
        ASSERT_EQ(Cli({"set", File("fleet.dat"), "2", "rx=145.5", "power=Low"}).exitCode, 0);
    }
    ProcessResult Cli(std::vector<std::string> args) {
        return testing::RunCli(m_dir, std::move(args));
    }
    std::string File(const std::string& name) const { return (m_dir / name).string(); }
    /// A simulated radio on a pseudo-terminal; its device is its first line.
    std::string Sim(std::vector<std::string> args) {
        m_sims.push_back(std::make_unique<BackgroundProcess>(RADIOPROG_SIM, args));
        const std::string device = m_sims.back()->FirstLine();
        EXPECT_EQ(device.rfind("/dev/", 0), 0u) << device;
        return device;
    }

    TempDir m_dir;
    std::vector<std::unique_ptr<BackgroundProcess>> m_sims;
};

std::vector<nlohmann::json> JsonLines(const std::string& text) {
    std::vector<nlohmann::json> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(nlohmann::json::parse(line));
    }
    return lines;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST_F(CliFleetTest, ProgramsRadiosPluggedInOneAfterAnotherOnTwoPortsAndLogsEach) {
    const std::string first = Sim({"--radios", "2", "--replug-after", "1200"});
    const std::string second = Sim({"--radios", "2", "--replug-after", "1200"});
    const ProcessResult result = Cli({"fleet", File("fleet.dat"), "--port", first, "--port", second,
                                      "--count", "4", "--json", "--log", File("run.csv")});
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const std::vector<nlohmann::json> out = JsonLines(result.out);
    ASSERT_EQ(out.size(), 5u) << result.out;
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(out[i]["result"], "verified") << out[i];
        EXPECT_EQ(out[i]["adminPasswordSet"], false);
        EXPECT_TRUE(out[i]["backup"].is_string()) << out[i];
    }
    EXPECT_EQ(out[4]["summary"]["verified"], 4);
    EXPECT_EQ(out[4]["log"], File("run.csv"));
    EXPECT_NE(result.err.find("4 radios: 4 verified, 0 verify failed, 0 write incomplete"),
              std::string::npos)
        << result.err;

    const std::vector<std::string> log = Lines(ReadText(File("run.csv")));
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[0],
              "sequence,port,start,end,admin_password,user_password,result,detail,backup\r");
    for (std::size_t i = 1; i < log.size(); ++i) {
        EXPECT_NE(log[i].find(",not set,not set,verified,,"), std::string::npos) << log[i];
    }
}

TEST_F(CliFleetTest, ARadioThatFailsGivesItsExitCodeAndTheOtherIsVerified) {
    const struct {
        std::vector<std::string> fault;
        int exitCode;
        std::string result;
        std::string detail;
    } cases[] = {
        {{"--drop-write", "0x20"}, 8, "verify failed", "differs at 0x0020"},
        // Hung up in the middle of the write: the backup read's 124 half-blocks come first.
        {{"--hang-up-after", "184"}, 6, "write incomplete", "blocks done 30 of 62"},
        {{"--admin-password", "777"}, 5, "password error", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        const std::string good = Sim({});
        const std::string bad = Sim(c.fault);
        const ProcessResult result =
            Cli({"fleet", File("fleet.dat"), "--port", good, "--port", bad, "--json"});
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        const std::vector<nlohmann::json> out = JsonLines(result.out);
        ASSERT_EQ(out.size(), 3u) << result.out;
        for (std::size_t i = 0; i < 2; ++i) {
            if (out[i]["port"] == good) {
                EXPECT_EQ(out[i]["result"], "verified");
            } else {
                EXPECT_EQ(out[i]["result"], c.result);
                if (!c.detail.empty()) {
                    EXPECT_EQ(out[i]["detail"], c.detail);
                }
            }
        }
        EXPECT_EQ(out[2]["summary"]["verified"], 1);
        EXPECT_EQ(out[2]["summary"]["handled"], 2);
        m_sims.clear();
    }
}

TEST_F(CliFleetTest, RefusesAPortGivenTwiceACountBelowOneAndALogItCannotWrite) {
    const std::string radio = Sim({});
    EXPECT_EQ(Cli({"fleet", File("fleet.dat"), "--port", radio, "--port", radio}).exitCode, 2);
    EXPECT_EQ(Cli({"fleet", File("fleet.dat"), "--port", radio, "--count", "0"}).exitCode, 2);
    const ProcessResult noLog =
        Cli({"fleet", File("fleet.dat"), "--port", radio, "--log", File("no/such/folder/x.csv")});
    EXPECT_EQ(noLog.exitCode, 7);
    EXPECT_NE(noLog.err.find("x.csv"), std::string::npos) << noLog.err;
    EXPECT_EQ(Cli({"fleet", File("missing.dat"), "--port", radio}).exitCode, 7);
    // A port takes one value: the file may come after it.
    const ProcessResult fileLast =
        Cli({"fleet", "--port", radio, File("fleet.dat"), "--no-backup"});
    EXPECT_EQ(fileLast.exitCode, 0) << fileLast.err;
}

TEST_F(CliFleetTest, WithoutATerminalALineForEachRadioAndTheLogInTheDataFolder) {
    const std::string radio = Sim({});
    const ProcessResult result =
        Cli({"fleet", File("fleet.dat"), "--port", radio, "--no-backup", "--lang", "zh"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "1  " + radio + "  已校验\n");
    const std::string logLine = "日志：" + File("data") + "/radioprog/fleet/";
    EXPECT_NE(result.err.find(logLine), std::string::npos) << result.err;
}

}  // namespace
}  // namespace radioprog
