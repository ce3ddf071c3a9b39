#include "core/sim/radio_simulator.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/sim/demo_faults.h"
#include "sim_fixtures.h"

namespace radioprog {
namespace {

using namespace sim_fixtures;

/// One message of the program and the radio's whole answer to it; the answer must come with
/// the message's last byte and not before.
struct Step {
    Bytes in;
    Bytes out;
};

struct Session {
    std::string name;
    SimFaults faults;
    std::vector<Step> steps;
    SimStats stats;
    std::vector<std::pair<std::size_t, Bytes>> memoryAfter = {};
    bool hungUp = false;
};

std::vector<Step> Connect(const RadioImage& memory) {
    return {{Handshake(), {0x06}}, {{0x02}, Identity(memory)}, {{0x06}, {0x06}}};
}

std::vector<Step> operator+(std::vector<Step> first, const std::vector<Step>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

SimFaults Faults(void (*set)(SimFaults&)) {
    SimFaults faults;
    set(faults);
    return faults;
}

std::vector<Session> Sessions(const RadioImage& m) {
    const Bytes data = {0xDE, 0xAD, 0xBE, 0xEF, 0x01, 0x02, 0x03, 0x04};
    const Bytes newIdentity = {0x50, 0xFF, 0x11, 0x22, 0x33, 0x44, 0x5F, 0xFF};
    const Step noAck = {{0x06}, {}};
    const Step ack = {{0x06}, {0x06}};
    const Step nak = {{0x06}, {0x15}};
    Bytes shortReply = ReadReply(m, 0x018);
    shortReply.pop_back();
    return {
        {"a session connects, reads with ACKs and writes",
         {},
         Connect(m) + std::vector<Step>{{ReadCommand(0x000), ReadReply(m, 0x000)},
                                        ack,
                                        {ReadCommand(0x3D8), ReadReply(m, 0x3D8)},
                                        ack,
                                        {WriteCommand(0x3D0, data), {0x06}},
                                        {ReadCommand(0x3D0), Cat(ReadCommand(0x3D0), data)},
                                        ack},
         {1, 3, 1},
         {{0x3D0, data}}},
        {"an identity record written to 0x1B8 is the next identity reply",
         {},
         Connect(m) + std::vector<Step>{{WriteCommand(0x1B8, newIdentity), {0x06}},
                                        {Handshake(), {0x06}},
                                        {{0x02}, newIdentity},
                                        ack},
         {2, 0, 1},
         {{0x1B8, newIdentity}}},
        {"nothing is answered before a handshake",
         {},
         std::vector<Step>{{{0x02}, {}},
                           noAck,
                           {ReadCommand(0x000), {}},
                           {WriteCommand(0x000, data), {}},
                           {Handshake(), {0x06}}},
         {1, 0, 0},
         {{0x000, Slice(m, 0x000)}}},
        {"a handshake starts over in every state",
         {},
         Connect(m) + std::vector<Step>{{Handshake(), {0x06}},
                                        {{0x02}, Identity(m)},
                                        {Handshake(), {0x06}},
                                        {{0x02}, Identity(m)},
                                        ack,
                                        {ReadCommand(0x010), ReadReply(m, 0x010)},
                                        {Handshake(), {0x06}},
                                        {{0x02}, Identity(m)},
                                        ack,
                                        {ReadCommand(0x010), ReadReply(m, 0x010)}},
         {4, 2, 0}},
        {"a broken handshake is not answered, one restarted by 02 is",
         {},
         std::vector<Step>{
             {{0x02, 0x50, 0x52, 0x00, 0x4F, 0x47, 0x52, 0x41, 0x5D}, {}},
             {{0x02, 0x50, 0x52, 0x02, 0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x5D}, {0x06}},
             {{0x02}, Identity(m)}},
         {1, 0, 0}},
        {"commands off the half-block grid, beyond 0x3D8 or not of length 8 get no answer",
         {},
         Connect(m) + std::vector<Step>{{ReadCommand(0x3E0), {}},
                                        {ReadCommand(0x004), {}},
                                        {{0x52, 0x00, 0x00, 0x10}, {}},
                                        {WriteCommand(0x3E0, data), {}},
                                        {WriteCommand(0x00C, data), {}},
                                        {{0x57, 0x00, 0x00, 0x04, 0x01, 0x02, 0x03, 0x04}, {}},
                                        {{0x57, 0x00, 0x08, 0x00}, {}},
                                        {ReadCommand(0x3D8), ReadReply(m, 0x3D8)}},
         {1, 1, 0},
         {{0x000, Slice(m, 0x000)}, {0x008, Slice(m, 0x008)}, {0x3E0, Slice(m, 0x3E0)}}},
        {"write data that looks like a handshake is data",
         {},
         Connect(m) + std::vector<Step>{{WriteCommand(0x020, Handshake()), {0x06}},
                                        {ReadCommand(0x020), Cat(ReadCommand(0x020), Handshake())}},
         {1, 1, 1},
         {{0x020, Handshake()}}},
        {"a program that skips the read ACK goes on with its next command",
         {},
         Connect(m) + std::vector<Step>{{ReadCommand(0x000), ReadReply(m, 0x000)},
                                        {ReadCommand(0x008), ReadReply(m, 0x008)},
                                        ack},
         {1, 2, 0}},
        {"silent",
         Faults([](SimFaults& f) { f.silent = true; }),
         std::vector<Step>{{Handshake(), {}}, {{0x02}, {}}, noAck, {ReadCommand(0), {}}},
         {0, 0, 0}},
        {"stop after 2 half-blocks",
         Faults([](SimFaults& f) { f.stopAfter = 2; }),
         Connect(m) + std::vector<Step>{{ReadCommand(0x000), ReadReply(m, 0x000)},
                                        ack,
                                        {WriteCommand(0x008, data), {0x06}},
                                        {ReadCommand(0x010), {}},
                                        noAck,
                                        {Handshake(), {}},
                                        {{0x02}, {}}},
         {1, 1, 1}},
        {"stop after 0 half-blocks still connects",
         Faults([](SimFaults& f) { f.stopAfter = 0; }),
         Connect(m) + std::vector<Step>{{WriteCommand(0x000, data), {}}},
         {1, 0, 0},
         {{0x000, Slice(m, 0x000)}}},
        {"short read reply",
         Faults([](SimFaults& f) { f.shortReadReply = true; }),
         Connect(m) + std::vector<Step>{{ReadCommand(0x018), shortReply}, ack},
         {1, 1, 0}},
        {"wrong ACK at the handshake",
         Faults([](SimFaults& f) { f.wrongAck = AckFault::kHandshake; }),
         std::vector<Step>{{Handshake(), {0x15}}, {{0x02}, Identity(m)}, ack},
         {1, 0, 0}},
        {"wrong ACK at the connection",
         Faults([](SimFaults& f) { f.wrongAck = AckFault::kConnection; }),
         std::vector<Step>{{Handshake(), {0x06}}, {{0x02}, Identity(m)}, nak},
         {1, 0, 0}},
        {"wrong ACK for every block",
         Faults([](SimFaults& f) { f.wrongAck = AckFault::kBlock; }),
         Connect(m) + std::vector<Step>{{ReadCommand(0x000), ReadReply(m, 0x000)},
                                        nak,
                                        {WriteCommand(0x008, data), {0x15}}},
         {1, 1, 1}},
        {"hang up after 1 half-block",
         Faults([](SimFaults& f) { f.hangUpAfter = 1; }),
         Connect(m) + std::vector<Step>{{ReadCommand(0x000), ReadReply(m, 0x000)},
                                        ack,
                                        {ReadCommand(0x008), {}},
                                        {Handshake(), {}}},
         {1, 1, 0},
         {},
         true},
    };
}

TEST(RadioSimulatorTest, AnswersEverySessionMessageByMessage) {
    const RadioImage memory = PatternMemory();
    for (const Session& session : Sessions(memory)) {
        SCOPED_TRACE(session.name);
        RadioSimulator radio(memory, session.faults);
        for (std::size_t s = 0; s < session.steps.size(); ++s) {
            SCOPED_TRACE("step " + std::to_string(s));
            const Step& step = session.steps[s];
            for (std::size_t i = 0; i + 1 < step.in.size(); ++i) {
                ASSERT_EQ(radio.Receive(step.in[i]), Bytes{}) << "early answer at byte " << i;
            }
            ASSERT_EQ(radio.Receive(step.in.back()), step.out);
        }
        EXPECT_EQ(radio.stats(), session.stats);
        EXPECT_EQ(radio.hungUp(), session.hungUp);
        for (const auto& [offset, bytes] : session.memoryAfter) {
            EXPECT_EQ(Slice(radio.memory(), offset, bytes.size()), bytes) << std::hex << offset;
        }
    }
}

TEST(RadioSimulatorTest, ADroppedLineForgetsAHalfReceivedCommandButNotAStop) {
    const RadioImage memory = PatternMemory();
    RadioSimulator radio(memory);
    Feed(radio, Cat(Handshake(), {0x02, 0x06, 0x57, 0x00, 0x10, 0x08, 0xAA}));
    radio.LineDropped();
    EXPECT_EQ(Feed(radio, Handshake()), Bytes{0x06});
    EXPECT_EQ(Feed(radio, {0x02}), Identity(memory));
    EXPECT_EQ(radio.memory(), memory);

    SimFaults stopAtOnce;
    stopAtOnce.stopAfter = 0;
    RadioSimulator stopped(memory, stopAtOnce);
    Feed(stopped, Cat(Handshake(), Cat({0x02, 0x06}, ReadCommand(0))));
    stopped.LineDropped();
    EXPECT_EQ(Feed(stopped, Handshake()), Bytes{});
}

TEST(RadioSimulatorTest, IdentityHelpersWriteTheIdentityRecord) {
    RadioImage memory = PatternMemory();
    memory[image::kIdentity] = 0x00;
    memory[image::kIdentity + 1] = 0x42;
    RadioSimulator radio(memory);

    radio.SetAdminPassword(*PackPassword("1234"));
    EXPECT_EQ(Identity(radio.memory()),
              (Bytes{0x50, 0x42, 0x12, 0x34, 0xFF, memory[0x1BD], memory[0x1BE], memory[0x1BF]}));
    radio.SetUserPassword(*PackPassword(""));
    EXPECT_EQ(Identity(radio.memory()), (Bytes{0x50, 0x42, 0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFF}));
    radio.UseStandardIdentity();
    EXPECT_EQ(Identity(radio.memory()), (Bytes{0x50, 0x36, 0x31, 0x38, 0x34, 0x32, 0xF8, 0xFF}));
    EXPECT_EQ(Feed(radio, Cat(Handshake(), {0x02})), Cat({0x06}, Identity(radio.memory())));

    memory[image::kIdentity] = 0x00;
    EXPECT_EQ(Slice(radio.memory(), 0, image::kIdentity), Slice(memory, 0, image::kIdentity));
    EXPECT_EQ(Slice(radio.memory(), 0x1C0, 0x40), Slice(memory, 0x1C0, 0x40));
}

/// The program's messages of a short read and write, each answered in full before the next.
std::vector<Bytes> AnswersToASession(const SimFaults& faults) {
    const RadioImage memory = PatternMemory();
    RadioSimulator radio(memory, faults);
    std::vector<Bytes> messages = {Handshake(), {0x02}, {0x06}};
    for (std::uint16_t address = 0; address < 0x100; address += 8) {
        messages.push_back(ReadCommand(address));
        messages.push_back({0x06});
        messages.push_back(WriteCommand(address, Slice(memory, address)));
    }
    std::vector<Bytes> answers;
    for (const Bytes& message : messages) {
        answers.push_back(Feed(radio, message));
    }
    return answers;
}

TEST(RadioSimulatorTest, GarbageComesOnlyBeforeAnswersAndRepeatsWithItsSeed) {
    const std::vector<Bytes> clean = AnswersToASession({});
    SimFaults garbage;
    garbage.garbageSeed = 7;
    const std::vector<Bytes> noisy = AnswersToASession(garbage);
    ASSERT_EQ(noisy.size(), clean.size());
    std::size_t garbled = 0;
    for (std::size_t i = 0; i < clean.size(); ++i) {
        ASSERT_GE(noisy[i].size(), clean[i].size()) << i;
        const std::size_t extra = noisy[i].size() - clean[i].size();
        EXPECT_LE(extra, 3u) << i;
        EXPECT_EQ(Bytes(noisy[i].begin() + static_cast<std::ptrdiff_t>(extra), noisy[i].end()),
                  clean[i])
            << i;
        garbled += extra > 0 ? 1 : 0;
    }
    EXPECT_GT(garbled, 0u);
    EXPECT_LT(garbled, clean.size());

    EXPECT_EQ(AnswersToASession(garbage), noisy);
    garbage.garbageSeed = 8;
    EXPECT_NE(AnswersToASession(garbage), noisy);
}

TEST(RadioSimulatorTest, ADroppedWriteIsAcknowledgedButNotStored) {
    const RadioImage memory = PatternMemory();
    SimFaults faults;
    faults.dropWrite = 0x010;
    RadioSimulator radio(memory, faults);
    const Bytes data = {1, 2, 3, 4, 5, 6, 7, 8};
    Feed(radio, Cat(Handshake(), {0x02, 0x06}));
    EXPECT_EQ(Feed(radio, WriteCommand(0x010, data)), Bytes{0x06});
    EXPECT_EQ(Feed(radio, WriteCommand(0x018, data)), Bytes{0x06});
    EXPECT_EQ(Slice(radio.memory(), 0x010), Slice(memory, 0x010));
    EXPECT_EQ(Slice(radio.memory(), 0x018), data);
}

TEST(RadioSimulatorTest, NoiseComesBeforeTheFirstReplyOfItsAddressInEachConversation) {
    const RadioImage memory = PatternMemory();
    SimFaults faults;
    faults.noiseBefore = 0x020;
    RadioSimulator radio(memory, faults);
    for (int conversation = 0; conversation < 2; ++conversation) {
        SCOPED_TRACE(conversation);
        Feed(radio, Cat(Handshake(), {0x02, 0x06}));
        EXPECT_EQ(Feed(radio, ReadCommand(0x018)), ReadReply(memory, 0x018));
        EXPECT_EQ(Feed(radio, {0x06}), Bytes{0x06});
        EXPECT_EQ(Feed(radio, ReadCommand(0x020)), Cat({kNoiseByte}, ReadReply(memory, 0x020)));
        EXPECT_EQ(Feed(radio, {0x06}), Bytes{0x06});
        EXPECT_EQ(Feed(radio, ReadCommand(0x020)), ReadReply(memory, 0x020));
        EXPECT_EQ(Feed(radio, {0x06}), Bytes{0x06});
        radio.LineDropped();
    }
}

TEST(RadioSimulatorTest, AfterAConversationThatWroteHandshakesAreIgnoredForTheRestartTime) {
    using std::chrono::milliseconds;
    const RadioImage memory = PatternMemory();
    SimFaults faults;
    faults.restartAfterWrite = milliseconds(2000);
    RadioSimulator radio(memory, faults);
    // A conversation that only reads restarts nothing.
    Feed(radio, Cat(Handshake(), {0x02, 0x06}));
    radio.LineDropped();
    EXPECT_EQ(Feed(radio, Handshake()), Bytes{0x06});
    Feed(radio, {0x02, 0x06});
    radio.SetTime(milliseconds(100));
    Feed(radio, WriteCommand(0x000, Bytes(8, 0)));
    radio.SetTime(milliseconds(500));
    radio.LineDropped();
    for (const auto& [at, answer] :
         {std::pair{milliseconds(500), Bytes{}}, std::pair{milliseconds(2499), Bytes{}},
          std::pair{milliseconds(2500), Bytes{0x06}}}) {
        radio.SetTime(at);
        EXPECT_EQ(Feed(radio, Handshake()), answer) << at.count();
    }
    // A new handshake without a dropped line ends the conversation at its last write.
    Feed(radio, {0x02, 0x06});
    radio.SetTime(milliseconds(3000));
    Feed(radio, WriteCommand(0x000, Bytes(8, 0)));
    radio.SetTime(milliseconds(4999));
    EXPECT_EQ(Feed(radio, Handshake()), Bytes{});
    radio.SetTime(milliseconds(5000));
    EXPECT_EQ(Feed(radio, Handshake()), Bytes{0x06});
}

TEST(SimFaultText, AddressesAndDemoFaults) {
    for (const auto& [text, address] :
         std::vector<std::pair<std::string, std::optional<std::uint16_t>>>{{"0", 0},
                                                                           {"0x1B8", 0x1B8},
                                                                           {"984", 0x3D8},
                                                                           {"0X08", 8},
                                                                           {"0x3E0", std::nullopt},
                                                                           {"12", std::nullopt},
                                                                           {"", std::nullopt},
                                                                           {"0x", std::nullopt},
                                                                           {"-8", std::nullopt},
                                                                           {"8k", std::nullopt}}) {
        EXPECT_EQ(ParseHalfBlockAddress(text), address) << text;
    }
    std::string error;
    const auto faults =
        ParseDemoFaults("drop-write=0x40,noise-before=16,restart-after-write=1500", error);
    ASSERT_TRUE(faults) << error;
    EXPECT_EQ(faults->dropWrite, 0x40);
    EXPECT_EQ(faults->noiseBefore, 16);
    EXPECT_EQ(faults->restartAfterWrite, std::chrono::milliseconds(1500));
    EXPECT_TRUE(ParseDemoFaults("", error));
    for (const char* wrong : {"drop-write=0x41", "silent", "restart-after-write=-1", "x=1"}) {
        error.clear();
        EXPECT_FALSE(ParseDemoFaults(wrong, error)) << wrong;
        EXPECT_NE(error.find(wrong), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace radioprog
