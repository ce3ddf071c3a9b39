// What every program of the package shares on its command line: --version and --help, "-" for
// standard input and output, the password from a file or the environment, and the exit codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/process.h"
#include "../support/temp_dir.h"

namespace radioprog {
namespace {

using testing::ProcessResult;
using testing::ReadBytes;
using testing::ReadText;
using testing::RunProcess;
using testing::TempDir;
using testing::WriteText;

constexpr std::size_t kAdminPassword = 0x1BA;

class CliConventions : public ::testing::Test {
protected:
    CliConventions() {
        WriteText(m_dir / "Program.ini", "[Setup]\nLanguage=English\nAppName=radioprog\n");
    }
    std::vector<std::string> Environment(std::vector<std::string> extra = {}) const {
        extra.push_back("XDG_CONFIG_HOME=" + (m_dir / "config").string());
        extra.push_back("XDG_DATA_HOME=" + (m_dir / "data").string());
        return extra;
    }
    ProcessResult Cli(std::vector<std::string> args, std::vector<std::string> environment = {}) {
        args.insert(args.begin(), {"--appdir", m_dir.path().string()});
        return RunProcess(RADIOPROG_CLI, args, Environment(std::move(environment)));
    }
    // A shell line, for pipes; CLI stands for the tool with its application folder.
    ProcessResult Shell(const std::string& line) {
        const std::string cli =
            std::string(RADIOPROG_CLI) + " --appdir '" + m_dir.path().string() + "'";
        std::string expanded = line;
        for (std::size_t at; (at = expanded.find("CLI")) != std::string::npos;) {
            expanded.replace(at, 3, cli);
        }
        return RunProcess("/bin/sh", {"-c", expanded}, Environment());
    }
    std::string File(const std::string& name) const { return (m_dir / name).string(); }
    std::vector<std::uint8_t> AdminPassword(const std::string& name) const {
        const auto bytes = ReadBytes(File(name));
        return {bytes.begin() + kAdminPassword, bytes.begin() + kAdminPassword + 3};
    }

    TempDir m_dir;
};

TEST_F(CliConventions, EveryProgramTellsItsVersionAndHelpWithoutADisplay) {
    struct Program {
        std::string path;
        std::string name;
        std::vector<std::string> unknown;
    };
    std::vector<Program> programs = {
        {RADIOPROG_CLI, "radioprog-cli", {"show", "a.dat", "--no-such-option"}},
        {RADIOPROG_SIM, "radioprog-sim", {"--no-such-option"}},
    };
#ifdef RADIOPROG_GUI
    programs.push_back({RADIOPROG_GUI, "radioprog", {"--no-such-option"}});
#endif
    // Without a display a window could not even be made: these must not need one.
    const std::vector<std::string> noDisplay = {"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="};
    for (const auto& [path, name, unknownOption] : programs) {
        const ProcessResult version = RunProcess(path, {"--version"}, noDisplay);
        EXPECT_EQ(version.exitCode, 0) << name << version.err;
        EXPECT_TRUE(version.out.starts_with(name + " " + RADIOPROG_PROJECT_VERSION)) << version.out;
        EXPECT_EQ(version.out.back(), '\n');
        const ProcessResult help = RunProcess(path, {"--help"}, noDisplay);
        EXPECT_EQ(help.exitCode, 0) << name << help.err;
        EXPECT_NE(help.out.find("--version"), std::string::npos) << name << help.out;
        const ProcessResult unknown = RunProcess(path, unknownOption, noDisplay);
        EXPECT_EQ(unknown.exitCode, 2) << name;
        EXPECT_NE(unknown.err.find("--no-such-option"), std::string::npos) << name << unknown.err;
    }
}

TEST_F(CliConventions, HelpEndsWithTheExitCodesInTheLocalesLanguage) {
    const ProcessResult english = RunProcess(RADIOPROG_CLI, {"--help"}, {"LC_ALL=C"});
    EXPECT_NE(english.out.find("Exit codes:\n  0  success\n  1  refused input"), std::string::npos)
        << english.out;
    EXPECT_NE(english.out.find("  7  a file could not be read or written\n"), std::string::npos);
    const ProcessResult chinese = RunProcess(RADIOPROG_CLI, {"--help"}, {"LC_ALL=zh_CN.UTF-8"});
    EXPECT_NE(chinese.out.find("退出码：\n  0  成功\n"), std::string::npos) << chinese.out;
}

TEST_F(CliConventions, ADashIsStandardOutputForOutputsAndStandardInputForShow) {
    ASSERT_EQ(Cli({"new", "-o", File("file.dat")}).exitCode, 0);
    const ProcessResult piped = Shell("CLI new -o - | CLI show - --json");
    ASSERT_EQ(piped.exitCode, 0) << piped.err;
    EXPECT_EQ(piped.out, Cli({"show", File("file.dat"), "--json"}).out);
    EXPECT_EQ(Shell("CLI new -o - > " + File("redirected.dat")).exitCode, 0);
    EXPECT_EQ(ReadBytes(File("redirected.dat")), ReadBytes(File("file.dat")));
    EXPECT_FALSE(std::filesystem::exists(File("-")));
}

TEST_F(CliConventions, ShortStandardInputAndAClosedStandardOutputAreFileErrors) {
    const ProcessResult shortInput = Shell("printf abc | CLI show -");
    EXPECT_EQ(shortInput.exitCode, 7);
    EXPECT_NE(shortInput.err.find("3 bytes"), std::string::npos) << shortInput.err;
    const ProcessResult closed = Shell("CLI new -o - >&-");
    EXPECT_EQ(closed.exitCode, 7);
    EXPECT_NE(closed.err.find("Cannot write to standard output"), std::string::npos) << closed.err;
}

TEST_F(CliConventions, ThePasswordComesFromTheOptionTheFileOrTheEnvironmentInThatOrder) {
    WriteText(File("password"), "4321\n");
    WriteText(File("crlf"), "5678\r\nnot this line\n");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::vector<std::string> environment;
        std::vector<std::uint8_t> admin;
    };
    const Case cases[] = {
        {"option", {"--password", "1234"}, {"RADIOPROG_PASSWORD=9999"}, {0x12, 0x34, 0xFF}},
        {"file",
         {"--password-file", File("password")},
         {"RADIOPROG_PASSWORD=9999"},
         {0x43, 0x21, 0xFF}},
        {"first line, no CR", {"--password-file", File("crlf")}, {}, {0x56, 0x78, 0xFF}},
        {"environment", {}, {"RADIOPROG_PASSWORD=9999"}, {0x99, 0x99, 0xFF}},
        {"none", {}, {"RADIOPROG_PASSWORD="}, {0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"new", "-o", File("new.dat")};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ProcessResult result = Cli(args, c.environment);
        ASSERT_EQ(result.exitCode, 0) << c.name << result.err;
        EXPECT_EQ(AdminPassword("new.dat"), c.admin) << c.name;
    }
    const ProcessResult fromStandardInput =
        Shell("echo 2468 | CLI new -o " + File("stdin.dat") + " --password-file -");
    ASSERT_EQ(fromStandardInput.exitCode, 0) << fromStandardInput.err;
    EXPECT_EQ(AdminPassword("stdin.dat"), (std::vector<std::uint8_t>{0x24, 0x68, 0xFF}));
}

TEST_F(CliConventions, ABadPasswordSourceSaysWhichAndWritesNothing) {
    WriteText(File("letters"), "12ab\n");
    std::filesystem::create_directory(File("folder"));
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::vector<std::string> environment;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
        {"missing file", {"--password-file", File("missing")}, {}, 7, "No such file"},
        {"a folder", {"--password-file", File("folder")}, {}, 7, "it is a folder"},
        {"letters in the file",
         {"--password-file", File("letters")},
         {},
         2,
         "--password-file takes up to six digits"},
        {"letters in the environment",
         {},
         {"RADIOPROG_PASSWORD=12ab"},
         2,
         "RADIOPROG_PASSWORD takes up to six digits"},
        {"both options",
         {"--password", "1", "--password-file", File("letters")},
         {},
         2,
         "excludes"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"new", "-o", File("never.dat")};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ProcessResult result = Cli(args, c.environment);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.name;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.name << ": " << result.err;
        EXPECT_FALSE(std::filesystem::exists(File("never.dat"))) << c.name;
    }
    // The message is in the language of the settings.
    WriteText(m_dir / "Program.ini", "[Setup]\nLanguage=Chinese\n");
    const ProcessResult chinese = Cli({"new", "-o", File("never.dat"), "--password-file", "/none"});
    EXPECT_EQ(chinese.exitCode, 7);
    EXPECT_NE(chinese.err.find("无法读取密码文件"), std::string::npos) << chinese.err;
    // The commands that talk to the radio take the same sources.
    const ProcessResult read =
        Cli({"read", "--port", "demo", "-o", File("never.dat")}, {"RADIOPROG_PASSWORD=12ab"});
    EXPECT_EQ(read.exitCode, 2);
    EXPECT_NE(read.err.find("RADIOPROG_PASSWORD"), std::string::npos) << read.err;
}

}  // namespace
}  // namespace radioprog
