#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "../support/process.h"
#include "../support/special_files.h"
#include "../support/temp_dir.h"
#include "../support/tty_client.h"
#include "core/radio/memory_image.h"

namespace radioprog {
namespace {

using namespace std::chrono_literals;
using testing::ReadBytes;
using testing::RunProcess;
using testing::TempDir;
using testing::TtyClient;
using testing::WriteText;
using Bytes = std::vector<std::uint8_t>;

constexpr std::chrono::milliseconds kPatience = 5s;
constexpr std::chrono::milliseconds kQuiet = 200ms;

/// radioprog-sim running in the background, from its first line on standard output (the device
/// path) until it is terminated.
class SimProcess {
public:
    explicit SimProcess(const std::vector<std::string>& args) {
        int out[2];
        if (::pipe(out) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addclose(&actions, out[1]);
        std::vector<std::string> argStrings{RADIOPROG_SIM};
        argStrings.insert(argStrings.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& arg : argStrings) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, RADIOPROG_SIM, &actions, nullptr, argv.data(), environ) != 0) {
            m_pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        m_out = out[0];
        m_devicePath = ReadLine();
    }
    ~SimProcess() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        ::close(m_out);
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& devicePath() const { return m_devicePath; }

    void Signal(int signal) { ::kill(m_pid, signal); }

    /// Sends SIGTERM and returns the exit code.
    int Terminate() {
        ::kill(m_pid, SIGTERM);
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    std::string ReadLine() {
        std::string line;
        char c = 0;
        pollfd out{m_out, POLLIN, 0};
        while (::poll(&out, 1, static_cast<int>(kPatience.count())) == 1 &&
               ::read(m_out, &c, 1) == 1 && c != '\n') {
            line += c;
        }
        return line;
    }

    pid_t m_pid = -1;
    int m_out = -1;
    std::string m_devicePath;
};

/// Handshake, identity and ACK; returns every answer in order.
Bytes Connect(TtyClient& client) {
    client.SendHandshake();
    Bytes answers = client.Read(1, kPatience);
    for (const Bytes& request : {Bytes{0x02}, Bytes{0x06}}) {
        client.PurgeInput();
        client.Send(request);
        const Bytes answer = client.Read(request[0] == 0x02 ? 8 : 1, kPatience);
        answers.insert(answers.end(), answer.begin(), answer.end());
    }
    return answers;
}

Bytes Cat(Bytes first, const Bytes& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

TEST(SimTest, KeepsItsMemoryInTheFileAcrossRuns) {
    TempDir dir;
    const std::string file = (dir / "radio.dat").string();
    const Bytes data = {0x14, 0x52, 0x50, 0x00, 0x14, 0x52, 0x50, 0x00};
    {
        SimProcess sim({"--memory", file, "--admin-password", "1234", "--user-password", "56"});
        ASSERT_FALSE(sim.devicePath().empty());
        TtyClient client(sim.devicePath());
        ASSERT_TRUE(client.isOpen()) << sim.devicePath();
        EXPECT_EQ(Connect(client),
                  Cat({0x06, 0x50, 0xFF, 0x12, 0x34, 0xFF, 0x56, 0xFF, 0xFF}, {0x06}));
        client.Send(Cat({0x57, 0x00, 0x10, 0x08}, data));
        EXPECT_EQ(client.Read(1, kPatience), Bytes{0x06});
        EXPECT_EQ(sim.Terminate(), 0);
    }
    const Bytes saved = ReadBytes(file);
    ASSERT_EQ(saved.size(), image::kSize);
    EXPECT_EQ(Bytes(saved.begin(), saved.begin() + 16),
              Bytes(image::kNewHeader.begin(), image::kNewHeader.end()));
    EXPECT_EQ(Bytes(saved.begin() + 0x10, saved.begin() + 0x18), data);

    SimProcess again({"--memory", file});
    TtyClient client(again.devicePath());
    EXPECT_EQ(Connect(client), Cat({0x06, 0x50, 0xFF, 0x12, 0x34, 0xFF, 0x56, 0xFF, 0xFF}, {0x06}));
    client.Send({0x52, 0x00, 0x10, 0x08});
    EXPECT_EQ(client.Read(12, kPatience), Cat({0x52, 0x00, 0x10, 0x08}, data));
    EXPECT_EQ(again.Terminate(), 0);
}

TEST(SimTest, IdentityAndFaultOptionsReachTheRadio) {
    const Bytes newIdentity = {0x50, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const struct {
        std::vector<std::string> args;
        Bytes connectAnswers;
    } cases[] = {
        {{}, Cat(Cat({0x06}, newIdentity), {0x06})},
        {{"--standard-identity"}, {0x06, 0x50, 0x36, 0x31, 0x38, 0x34, 0x32, 0xF8, 0xFF, 0x06}},
        {{"--wrong-ack"}, Cat(Cat({0x06}, newIdentity), {0x15})},
        {{"--wrong-ack", "handshake"}, Cat(Cat({0x15}, newIdentity), {0x06})},
        {{"--silent"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        SimProcess sim(c.args);
        TtyClient client(sim.devicePath());
        ASSERT_TRUE(client.isOpen()) << sim.devicePath();
        if (c.connectAnswers.empty()) {
            client.SendHandshake();
            EXPECT_EQ(client.Read(1, kQuiet), Bytes{});
        } else {
            EXPECT_EQ(Connect(client), c.connectAnswers);
        }
        EXPECT_EQ(sim.Terminate(), 0);
    }
}

// A handshake on a line opened for it alone, as a program looking for a radio sends it.
bool RadioAnswers(const std::string& device) {
    TtyClient client(device);
    client.SendHandshake();
    return client.Read(1, kQuiet) == Bytes{0x06};
}

TEST(SimTest, SigusrOneUnplugsTheRadioAndTheNextComes) {
    SimProcess sim({"--radios", "2", "--replug-after", "700"});
    ASSERT_TRUE(RadioAnswers(sim.devicePath()));
    sim.Signal(SIGUSR1);
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(RadioAnswers(sim.devicePath()));
    std::this_thread::sleep_for(700ms);
    EXPECT_TRUE(RadioAnswers(sim.devicePath()));
    // The second radio was the last.
    sim.Signal(SIGUSR1);
    std::this_thread::sleep_for(1000ms);
    EXPECT_FALSE(RadioAnswers(sim.devicePath()));
    EXPECT_EQ(sim.Terminate(), 0);
}

Bytes ReadReplyOf(TtyClient& client, std::uint16_t address, std::size_t size = 12) {
    client.PurgeInput();
    client.Send({0x52, static_cast<std::uint8_t>(address >> 8),
                 static_cast<std::uint8_t>(address & 0xFF), 0x08});
    Bytes reply = client.Read(size, kPatience);
    client.PurgeInput();
    client.Send({0x06});
    client.Read(1, kPatience);
    return reply;
}

TEST(SimTest, TheWriteNoiseAndRestartFaultsReachTheRadio) {
    SimProcess sim(
        {"--drop-write", "0x10", "--noise-before", "0x8", "--restart-after-write", "700"});
    auto client = std::make_unique<TtyClient>(sim.devicePath());
    ASSERT_EQ(Connect(*client).size(), 10u);
    const Bytes before = ReadReplyOf(*client, 0x10);
    EXPECT_EQ(ReadReplyOf(*client, 0x8, 13).front(), 0x7F);
    EXPECT_EQ(ReadReplyOf(*client, 0x8).front(), 0x52);
    for (const std::uint8_t address : {std::uint8_t{0x10}, std::uint8_t{0x18}}) {
        client->PurgeInput();
        client->Send({0x57, 0x00, address, 0x08, 1, 2, 3, 4, 5, 6, 7, 8});
        EXPECT_EQ(client->Read(1, kPatience), Bytes{0x06});
    }
    // The restart counts from the end of the conversation: its close, or its last write when
    // a new handshake comes before the radio sees the line closed.
    const auto wrote = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadReplyOf(*client, 0x10), before);
    EXPECT_EQ(ReadReplyOf(*client, 0x18), (Bytes{0x52, 0, 0x18, 8, 1, 2, 3, 4, 5, 6, 7, 8}));
    client.reset();

    // The conversation wrote: the radio restarts and ignores handshakes for a while.
    client = std::make_unique<TtyClient>(sim.devicePath());
    client->SendHandshake();
    EXPECT_EQ(client->Read(1, kQuiet), Bytes{});
    Bytes answer;
    while (answer.empty() && std::chrono::steady_clock::now() - wrote < kPatience) {
        client->SendHandshake();
        answer = client->Read(1, kQuiet);
    }
    EXPECT_EQ(answer, Bytes{0x06});
    EXPECT_GE(std::chrono::steady_clock::now() - wrote, 650ms);  // the write came a little earlier
    EXPECT_EQ(sim.Terminate(), 0);
}

TEST(SimTest, RefusesBadOptionsAndFilesItCannotUse) {
    TempDir dir;
    const std::string shortFile = (dir / "short.dat").string();
    WriteText(shortFile, "only a few bytes");
    const struct {
        std::vector<std::string> args;
        int exitCode;
    } cases[] = {
        {{"--admin-password", "12a"}, 2},
        {{"--user-password", "1234567"}, 2},
        {{"--standard-identity", "--admin-password", "1"}, 2},
        {{"--wrong-ack", "later"}, 2},
        {{"--stop-after", "-1"}, 2},
        {{"--drop-write", "0x41"}, 2},
        {{"--noise-before", "0x3E0"}, 2},
        {{"--restart-after-write", "-5"}, 2},
        {{"--memory", shortFile}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const auto result = RunProcess(RADIOPROG_SIM, c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err, "");
    }
    EXPECT_EQ(testing::ReadText(shortFile), "only a few bytes");
}

// A memory file that is a named pipe would keep the radio waiting for a writer before it ever
// printed its device.
TEST(SimTest, RefusesAMemoryFileThatIsNotARegularFile) {
    TempDir dir;
    const testing::Fifo fifo(dir / "radio.dat");
    const auto result = RunProcess(RADIOPROG_SIM, {"--memory", fifo.path().string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Cannot open \"" + fifo.path().string() +
                              "\": it is a named pipe (FIFO), not a regular file\n");
    EXPECT_FALSE(fifo.rescued());
}

}  // namespace
}  // namespace radioprog
