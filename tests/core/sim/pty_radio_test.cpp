#include "core/sim/pty_radio.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <chrono>
#include <functional>
#include <thread>

#include "../../support/temp_dir.h"
#include "../../support/tty_client.h"
#include "core/sim/memory_file.h"
#include "sim_fixtures.h"

namespace radioprog {
namespace {

using namespace sim_fixtures;
using namespace std::chrono_literals;
using testing::TempDir;
using testing::TtyClient;

// Bounds for what must happen: generous, so that a loaded machine does not fail the tests.
constexpr std::chrono::milliseconds kPatience = 5s;
// How long a test listens to be sure that nothing comes.
constexpr std::chrono::milliseconds kQuiet = 200ms;

std::unique_ptr<PtyRadio> StartRadio(const RadioSimulator& simulator,
                                     const PtyRadio::Options& options = {}) {
    PtyRadio::Started started = PtyRadio::Start(simulator, options);
    EXPECT_NE(started.radio, nullptr) << started.error;
    return std::move(started.radio);
}

/// A request as the transfer sends it: the input purged first, then the answer awaited.
Bytes Ask(TtyClient& client, const Bytes& request, std::size_t answerSize) {
    client.PurgeInput();
    client.Send(request);
    return client.Read(answerSize, kPatience);
}

void Connect(TtyClient& client, const RadioImage& memory) {
    client.SendHandshake();
    ASSERT_EQ(client.Read(1, kPatience), Bytes{0x06});
    ASSERT_EQ(Ask(client, {0x02}, 8), Identity(memory));
    ASSERT_EQ(Ask(client, {0x06}, 1), Bytes{0x06});
}

bool WaitFor(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

TEST(PtyRadioTest, ServesAWholeReadAndWritesOfTheProgram) {
    const RadioImage memory = PatternMemory();
    auto radio = StartRadio(RadioSimulator(memory));
    ASSERT_NE(radio, nullptr);
    TtyClient client(radio->devicePath());
    ASSERT_TRUE(client.isOpen());

    ASSERT_NO_FATAL_FAILURE(Connect(client, memory));
    for (std::size_t address = 0; address <= 0x3D8; address += 8) {
        ASSERT_EQ(Ask(client, ReadCommand(address), 12), ReadReply(memory, address)) << address;
        ASSERT_EQ(Ask(client, {0x06}, 1), Bytes{0x06}) << address;
    }
    const Bytes data = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_EQ(Ask(client, WriteCommand(0x3D8, data), 1), Bytes{0x06});
    EXPECT_EQ(Ask(client, WriteCommand(0x000, data), 1), Bytes{0x06});

    EXPECT_EQ(Slice(radio->memory(), 0x3D8), data);
    EXPECT_EQ(Slice(radio->memory(), 0x000), data);
    EXPECT_EQ(radio->stats(), (SimStats{1, 124, 2}));
    EXPECT_TRUE(radio->Stop().ok());
}

TEST(PtyRadioTest, AnswersSurviveAPurgeRightAfterTheRequest) {
    // The program purges its input right after sending some requests. Here it is also slow to
    // do so, as on a busy machine: an answer that came at once would be purged with the rest.
    constexpr auto kSlowToPurge = 20ms;
    const RadioImage memory = PatternMemory();
    PtyRadio::Options options;
    options.answerDelay = 500ms;
    auto radio = StartRadio(RadioSimulator(memory), options);
    ASSERT_NE(radio, nullptr);
    TtyClient client(radio->devicePath());

    const auto sendThenPurge = [&](const Bytes& request, std::size_t answerSize) {
        client.Send(request);
        std::this_thread::sleep_for(kSlowToPurge);
        client.PurgeInput();
        return client.Read(answerSize, kPatience);
    };
    EXPECT_EQ(sendThenPurge(Handshake(), 1), Bytes{0x06});
    EXPECT_EQ(sendThenPurge({0x02}, 8), Identity(memory));
    EXPECT_EQ(sendThenPurge({0x06}, 1), Bytes{0x06});
    EXPECT_EQ(sendThenPurge(ReadCommand(0x1B0), 12), ReadReply(memory, 0x1B0));
}

TEST(PtyRadioTest, APacedLineTakesTheWireTimeOfEveryByte) {
    const RadioImage memory = PatternMemory();
    PtyRadio::Options options;
    options.baud = 9600;
    auto radio = StartRadio(RadioSimulator(memory), options);
    ASSERT_NE(radio, nullptr);
    TtyClient client(radio->devicePath());
    ASSERT_NO_FATAL_FAILURE(Connect(client, memory));

    // 12 bytes of 10 bits at 9600 baud take 12.5 ms, the 4 of the command 4.2 ms more.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Ask(client, ReadCommand(0x100), 12), ReadReply(memory, 0x100));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 11ms);
}

TEST(PtyRadioTest, ASlowRadioAnswersOnlyAfterTheProgramGaveUp) {
    SimFaults slow;
    slow.slow = true;
    auto radio = StartRadio(RadioSimulator(PatternMemory(), slow));
    ASSERT_NE(radio, nullptr);
    TtyClient client(radio->devicePath());

    client.SendHandshake();
    EXPECT_EQ(client.Read(1, kQuiet), Bytes{});
    EXPECT_EQ(client.Read(1, kPatience), Bytes{0x06});
}

TEST(PtyRadioTest, EachOpeningOfTheLineStartsAFreshConversation) {
    const RadioImage memory = PatternMemory();
    auto radio = StartRadio(RadioSimulator(memory));
    ASSERT_NE(radio, nullptr);
    {
        TtyClient first(radio->devicePath());
        ASSERT_NO_FATAL_FAILURE(Connect(first, memory));
        // Closed in the middle of a write: the rest must not be taken as its data.
        first.Send({0x57, 0x00, 0x10, 0x08, 0xAA});
    }
    ASSERT_TRUE(WaitFor([&] { return radio->linesClosed() == 1; }));
    {
        TtyClient second(radio->devicePath());
        ASSERT_NO_FATAL_FAILURE(Connect(second, memory));
        EXPECT_EQ(Ask(second, ReadCommand(0x010), 12), ReadReply(memory, 0x010));
    }
    EXPECT_EQ(radio->memory(), memory);
    EXPECT_EQ(radio->stats(), (SimStats{2, 1, 0}));
}

TEST(PtyRadioTest, KeepsTheMemoryFileAfterEveryWriteAndAtStop) {
    TempDir dir;
    const auto file = dir / "radio.dat";
    ASSERT_TRUE(SaveMemoryFile(file, PatternMemory()).ok());
    RadioImage memory{};
    ASSERT_TRUE(LoadMemoryFile(file, memory).ok());
    PtyRadio::Options options;
    options.memoryFile = file;
    auto radio = StartRadio(RadioSimulator(memory), options);
    ASSERT_NE(radio, nullptr);

    RadioImage expected = memory;
    const Bytes data = {8, 7, 6, 5, 4, 3, 2, 1};
    {
        TtyClient client(radio->devicePath());
        ASSERT_NO_FATAL_FAILURE(Connect(client, memory));
        ASSERT_EQ(Ask(client, WriteCommand(0x3D8, data), 1), Bytes{0x06});
        std::copy(data.begin(), data.end(), expected.begin() + 0x3D8);
    }
    ASSERT_TRUE(WaitFor([&] { return radio->linesClosed() == 1; }));
    RadioImage saved{};
    ASSERT_TRUE(LoadMemoryFile(file, saved).ok());
    EXPECT_EQ(saved, expected);

    // Memory that only a stop saves: blocks 62-63 from the file are kept as they were.
    {
        TtyClient client(radio->devicePath());
        ASSERT_NO_FATAL_FAILURE(Connect(client, expected));
        ASSERT_EQ(Ask(client, WriteCommand(0x000, data), 1), Bytes{0x06});
        std::copy(data.begin(), data.end(), expected.begin());
        EXPECT_TRUE(radio->Stop().ok());
    }
    ASSERT_TRUE(LoadMemoryFile(file, saved).ok());
    EXPECT_EQ(saved, expected);
}

TEST(PtyRadioTest, StopReportsAMemoryFileThatCannotBeSaved) {
    TempDir dir;
    PtyRadio::Options options;
    options.memoryFile = dir / "missing" / "radio.dat";
    auto radio = StartRadio(RadioSimulator(PatternMemory()), options);
    ASSERT_NE(radio, nullptr);
    const Status stopped = radio->Stop();
    EXPECT_FALSE(stopped.ok());
    EXPECT_NE(stopped.message().find("radio.dat"), std::string::npos) << stopped.message();
}

TEST(PtyRadioTest, HangingUpClosesTheLineUnderTheProgram) {
    const RadioImage memory = PatternMemory();
    SimFaults faults;
    faults.hangUpAfter = 1;
    auto radio = StartRadio(RadioSimulator(memory, faults));
    ASSERT_NE(radio, nullptr);
    TtyClient client(radio->devicePath());
    ASSERT_NO_FATAL_FAILURE(Connect(client, memory));
    ASSERT_EQ(Ask(client, ReadCommand(0x000), 12), ReadReply(memory, 0x000));
    ASSERT_EQ(Ask(client, {0x06}, 1), Bytes{0x06});

    client.Send(ReadCommand(0x008));
    pollfd line{client.fd(), POLLIN, 0};
    ASSERT_EQ(::poll(&line, 1, static_cast<int>(kPatience.count())), 1);
    EXPECT_NE(line.revents & POLLHUP, 0);
    EXPECT_EQ(client.Read(12, kQuiet), Bytes{});
    EXPECT_TRUE(radio->hungUp());
    EXPECT_TRUE(radio->Stop().ok());
}

// One conversation on a line opened for it, as the transfers open the port for each exchange.
bool Answers(const std::string& device, const RadioImage& memory) {
    TtyClient client(device);
    client.SendHandshake();
    return client.Read(1, kQuiet) == Bytes{0x06} && Ask(client, {0x02}, 8) == Identity(memory);
}

void WriteOneHalfBlock(const std::string& device, const RadioImage& memory, const Bytes& data) {
    TtyClient client(device);
    ASSERT_NO_FATAL_FAILURE(Connect(client, memory));
    ASSERT_EQ(Ask(client, WriteCommand(0x100, data), 1), Bytes{0x06});
}

TEST(PtyRadioTest, ARadioIsTakenAwayAfterTheCheckOfItsWriteAndANewOneComes) {
    const RadioImage memory = PatternMemory();
    PtyRadio::Options options;
    options.radios = 2;
    options.replugAfter = 600ms;
    auto radio = StartRadio(RadioSimulator(memory), options);
    ASSERT_NE(radio, nullptr);
    const Bytes data = {9, 9, 9, 9, 9, 9, 9, 9};

    // Looking at the radio before the write does not take it away.
    EXPECT_TRUE(Answers(radio->devicePath(), memory));
    EXPECT_TRUE(WaitFor([&] { return radio->linesClosed() == 1; }));
    ASSERT_NO_FATAL_FAILURE(WriteOneHalfBlock(radio->devicePath(), memory, data));
    EXPECT_TRUE(WaitFor([&] { return radio->linesClosed() == 2; }));
    EXPECT_TRUE(radio->radioPresent());
    EXPECT_TRUE(Answers(radio->devicePath(), memory));  // the check of the write
    EXPECT_TRUE(WaitFor([&] { return !radio->radioPresent(); }));
    EXPECT_FALSE(Answers(radio->devicePath(), memory));

    // The second radio is new: the first one's write is not in it.
    EXPECT_TRUE(WaitFor([&] { return radio->radioPresent(); }));
    EXPECT_EQ(radio->radiosPlugged(), 2u);
    EXPECT_TRUE(Answers(radio->devicePath(), memory));
    EXPECT_EQ(Slice(radio->memory(), 0x100), Slice(memory, 0x100));
    ASSERT_EQ(radio->unpluggedMemories().size(), 1u);
    EXPECT_EQ(Slice(radio->unpluggedMemories()[0], 0x100), data);

    // The last radio goes as the others did, and none comes after it.
    radio->Unplug();
    std::this_thread::sleep_for(options.replugAfter + kQuiet);
    EXPECT_FALSE(radio->radioPresent());
    EXPECT_EQ(radio->radiosPlugged(), 2u);
    EXPECT_EQ(radio->unpluggedMemories().size(), 2u);
    EXPECT_TRUE(radio->Stop().ok());
}

TEST(PtyRadioTest, OneRadioStaysAfterItsWriteWasChecked) {
    const RadioImage memory = PatternMemory();
    auto radio = StartRadio(RadioSimulator(memory));
    ASSERT_NE(radio, nullptr);
    ASSERT_NO_FATAL_FAILURE(WriteOneHalfBlock(radio->devicePath(), memory, Bytes(8, 1)));
    EXPECT_TRUE(WaitFor([&] { return radio->linesClosed() == 1; }));
    EXPECT_TRUE(Answers(radio->devicePath(), memory));
    EXPECT_TRUE(WaitFor([&] { return radio->linesClosed() == 2; }));
    EXPECT_TRUE(Answers(radio->devicePath(), memory));
    EXPECT_TRUE(radio->radioPresent());
}

}  // namespace
}  // namespace radioprog
