#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/background_process.h"
#include "../support/process.h"
#include "../support/pseudo_terminal.h"
#include "../support/temp_dir.h"
#include "cli_run.h"
#include "core/sim/demo_memory.h"

namespace radioprog {
namespace {

using testing::BackgroundProcess;
using testing::ProcessResult;
using testing::ReadBytes;
using testing::RunProcess;
using testing::TempDir;

class CliLinkTest : public ::testing::Test {
protected:
    ProcessResult Cli(std::vector<std::string> args) {
        return testing::RunCli(m_dir, std::move(args));
    }
    std::string File(const std::string& name) const { return (m_dir / name).string(); }
    std::unique_ptr<BackgroundProcess> Sim(std::vector<std::string> args) {
        auto sim = std::make_unique<BackgroundProcess>(RADIOPROG_SIM, args);
        m_device = sim->FirstLine();
        EXPECT_EQ(m_device.rfind("/dev/", 0), 0u) << m_device;
        return sim;
    }

    TempDir m_dir;
    std::string m_device;
};

TEST_F(CliLinkTest, TheDemoRadioCanBeReadWrittenAndAskedForItsPassword) {
    ProcessResult result = Cli({"read", "--port", "demo", "-o", File("demo.dat")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto bytes = ReadBytes(File("demo.dat"));
    ASSERT_EQ(bytes.size(), 1024u);
    const RadioImage demo = DemoMemory();
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 0x3E0, demo.begin()));
    result = Cli({"show", File("demo.dat"), "--json"});
    EXPECT_NE(result.out.find(R"("rx": "145.01250")"), std::string::npos);

    EXPECT_EQ(Cli({"write", "--port", "demo", File("demo.dat"), "--role", "user"}).exitCode, 0);
    // The demo radio has no User password: nothing to print, and the user is told so.
    result = Cli({"password", "query", "--port", "demo"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "No User password is set\n");
}

TEST_F(CliLinkTest, ARadioOnItsOwnPseudoTerminalKeepsWhatIsWrittenToIt) {
    auto sim = Sim({"--memory", File("radio.dat"), "--admin-password", "1234"});
    ASSERT_EQ(Cli({"new", "-o", File("mine.dat"), "--password", "1234"}).exitCode, 0);
    ASSERT_EQ(Cli({"set", File("mine.dat"), "7", "rx=151.625", "dec=D023N"}).exitCode, 0);

    ProcessResult result =
        Cli({"write", "--port", m_device, File("mine.dat"), "--password", "1234"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    result = Cli(
        {"password", "change", "--port", m_device, "--password", "1234", "--user-password", "42"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(result.err.find("Modify successfully"), std::string::npos);
    result = Cli({"password", "query", "--port", m_device, "--password", "1234"});
    EXPECT_EQ(result.out, "42\n");
    result = Cli(
        {"read", "--port", m_device, "--role", "user", "--password", "42", "-o", File("back.dat")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_NE(Cli({"show", File("back.dat"), "--json"}).out.find(R"("rx": "151.62500")"),
              std::string::npos);

    EXPECT_EQ(sim->Stop(), 0);
    const auto saved = ReadBytes(File("radio.dat"));
    ASSERT_EQ(saved.size(), 1024u);
    EXPECT_EQ(saved[image::ChannelOffset(7) + 3], 0x15);
    EXPECT_EQ(saved[image::kIdentityUserPassword], 0x42);
}

// A file whose band or identity no radio has is most likely not a radio file: it is shown with
// a warning, and sent to a radio only with --force. The test holds the radio's end of the line
// and sees whether the handshake comes.
TEST_F(CliLinkTest, AnImageThatMayNotBeARadiosIsWrittenOnlyWithForce) {
    testing::PseudoTerminal line;
    testing::WriteText(m_dir / "zeros.dat", std::string(1024, '\0'));
    const std::string doubt = "\"" + File("zeros.dat") +
                              "\" may not be a radio file: its band limits (0 - 0 MHz) are "
                              "impossible; its identity record does not begin with 50\n";
    const ProcessResult shown = Cli({"show", File("zeros.dat")});
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_EQ(shown.err, doubt);

    const std::string port = line.slave().string();
    const ProcessResult refused = Cli({"write", "--port", port, File("zeros.dat")});
    EXPECT_EQ(refused.exitCode, 7);
    EXPECT_EQ(refused.err, doubt + "Give --force to write it to the radio anyway\n");
    EXPECT_TRUE(line.Receive(1, std::chrono::milliseconds(100)).empty());

    Cli({"write", "--port", port, File("zeros.dat"), "--force"});
    const std::vector<std::uint8_t> handshake = {0x02, 'P', 'R', 'O', 'G', 'R', 'A', ']'};
    EXPECT_EQ(line.Receive(handshake.size()), handshake);
}

// A read takes seconds; a file it cannot write is found before a byte goes to the radio.
TEST_F(CliLinkTest, ReadChecksItsFileBeforeItTalksToTheRadio) {
    testing::PseudoTerminal line;
    std::filesystem::create_directory(m_dir / "folder.dat");
    const struct {
        std::string output;
        std::string says;
    } cases[] = {
        {File("no-such-folder/radio.dat"),
         "Cannot write \"" + File("no-such-folder/radio.dat") +
             "\": cannot create a temporary file beside it: No such file or directory\n"},
        {File("folder.dat"),
         "Cannot write \"" + File("folder.dat") + "\": it is a folder, not a file\n"},
        {"/dev/null", "Cannot write \"/dev/null\": it is a device, not a regular file\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        const ProcessResult result = Cli({"read", "--port", line.slave().string(), "-o", c.output});
        EXPECT_EQ(result.exitCode, 7);
        EXPECT_EQ(result.err, c.says);
        EXPECT_TRUE(line.Receive(1, std::chrono::milliseconds(100)).empty());
    }
    EXPECT_TRUE(std::filesystem::is_directory(m_dir / "folder.dat"));
}

TEST_F(CliLinkTest, FailuresExitWithTheirCodesAndWriteNoFile) {
    struct Case {
        const char* name;
        std::vector<std::string> simArgs;
        std::vector<std::string> extra;
        int exitCode;
        std::string message;
    };
    const Case cases[] = {
        {"silent", {"--silent"}, {}, 4, "Communication Error"},
        {"stops", {"--stop-after", "20"}, {}, 6, "10 of 62"},
        {"password", {"--admin-password", "1234"}, {"--password", "99"}, 5, "Password Error"},
        {"interrupt", {"--wrong-ack", "connection"}, {"--retries", "1"}, 4, "Communication Error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto sim = Sim(c.simArgs);
        std::vector<std::string> args = {"read", "--port", m_device, "-o", File("out.dat")};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const ProcessResult result = Cli(args);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists(File("out.dat")));
    }
    const ProcessResult missing =
        Cli({"read", "--port", "/dev/radioprog-missing", "-o", File("out.dat")});
    EXPECT_EQ(missing.exitCode, 3);
    // The doctor's finding, and where to go for the whole check.
    EXPECT_TRUE(
        missing.err.starts_with("Could not Open the Port,Please check whether the Port are "
                                "occupied or the device are ok\n/dev/radioprog-missing "
                                "does not exist. To fix: plug the cable in;"))
        << missing.err;
    EXPECT_TRUE(
        missing.err.ends_with("\nFor a full check run: radioprog-cli doctor --port "
                              "/dev/radioprog-missing\n"))
        << missing.err;
    EXPECT_EQ(Cli({"read", "--port", "COM1", "--role", "guest", "-o", File("out.dat")}).exitCode,
              2);
    EXPECT_EQ(Cli({"password", "change", "--port", "demo", "--user-password", "x1"}).exitCode, 2);
    for (const char* retries : {"-1", "100"}) {
        const ProcessResult refused =
            Cli({"read", "--port", "demo", "--retries", retries, "-o", File("out.dat")});
        EXPECT_EQ(refused.exitCode, 2) << retries;
        EXPECT_EQ(refused.err, "--retries takes 0 to 99\n") << retries;
    }
    EXPECT_FALSE(std::filesystem::exists(File("out.dat")));
}

}  // namespace
}  // namespace radioprog
