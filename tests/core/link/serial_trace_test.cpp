#include "core/link/serial_trace.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/link/block_transfer.h"
#include "core/link/password_service.h"
#include "test_radio.h"

namespace radioprog {
namespace {

using testing::FakeLine;
using testing::FakeOpener;
using testing::TestObserver;
using testing::TestRadio;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The records' lines without their times, which depend on the pauses of the engines.
std::vector<std::string> Records(const SerialTrace& trace) {
    std::vector<std::string> records;
    for (const std::string& line : Lines(trace.Text(Language::English))) {
        if (!line.starts_with("#")) {
            records.push_back(line.substr(12));
        }
    }
    return records;
}

std::size_t CountStarting(const std::vector<std::string>& lines, const std::string& start) {
    std::size_t count = 0;
    for (const auto& line : lines) {
        count += line.starts_with(start) ? 1 : 0;
    }
    return count;
}

class SerialTraceTest : public ::testing::Test {
protected:
    SerialTraceTest()
        : m_fake(m_line), m_opener(m_fake, m_trace, [this] {
              return std::chrono::duration_cast<std::chrono::microseconds>(m_line.now);
          }) {
        for (std::size_t i = 0; i < m_radio.memory.size(); ++i) {
            m_radio.memory[i] = static_cast<std::uint8_t>(i);
        }
        const std::uint8_t identity[] = {0x50, 0x36, 0x12, 0x34, 0x56, 0x42, 0xFF, 0xFF};
        std::copy(std::begin(identity), std::end(identity),
                  m_radio.memory.begin() + image::kIdentity);
        m_line.peer = [this](std::uint8_t byte) { return m_radio(byte); };
        m_session.role = AccessRole::Admin;
        m_session.loginPassword = *PackPassword("123456");
    }

    FakeLine m_line;
    TestRadio m_radio;
    FakeOpener m_fake;
    SerialTrace m_trace{SerialTrace::Keep::AllExchanges};
    TracingPortOpener m_opener;
    LinkSession m_session;
};

TEST_F(SerialTraceTest, AReadIsTracedByteForByteWithTheStepOfEachAndTheTimeSinceTheOpen) {
    TestObserver observer(m_line);
    RadioImage image{};
    const TransferOutcome outcome =
        TransferImage(TransferDirection::Read, image, m_opener, m_session, observer);
    ASSERT_EQ(outcome.kind, TransferOutcome::Kind::Complete);

    const std::vector<std::string> records = Records(m_trace);
    const std::vector<std::string> start = {
        "->  handshake      02",
        "->  handshake      50",
        "->  handshake      52",
        "->  handshake      4F",
        "->  handshake      47",
        "->  handshake      52",
        "->  handshake      41",
        "->  handshake      5D",
        "<-  handshake      06",
        "->  identity       02",
        "<-  identity       50 36 12 34 56 42 FF FF",
        "->  ACK            06",
        "<-  ACK            06",
        "->  read 0x0000    52 00 00 08",
        "<-  read 0x0000    52 00 00 08 00 01 02 03 04 05 06 07",
        "->  ACK            06",
        "<-  ACK            06",
        "->  read 0x0008    52 00 08 08",
    };
    ASSERT_GT(records.size(), start.size());
    EXPECT_EQ(std::vector<std::string>(records.begin(), records.begin() + start.size()), start);
    // Every half-block, both ways, and its ACK.
    EXPECT_EQ(CountStarting(records, "->  read 0x"), 124u);
    EXPECT_EQ(CountStarting(records, "<-  read 0x"), 124u);
    EXPECT_EQ(records.back(), "<-  ACK            06");
    EXPECT_EQ(CountStarting(records, "->  read 0x03D8    52 03 D8 08"), 1u);

    const std::vector<std::string> text = Lines(m_trace.Text(Language::English));
    EXPECT_EQ(text[0],
              "# radioprog serial trace. It holds the radio's identity record and so its "
              "passwords.");
    EXPECT_TRUE(text[1].starts_with("# COM1, opened ")) << text[1];
    EXPECT_EQ(text[2], "#       ms  dir step           bytes");
    // The first byte goes after six pumps of 1 ms and the handshake's pause of 2 ms.
    EXPECT_EQ(text[3], "       8.0  ->  handshake      02");
}

TEST_F(SerialTraceTest, AUsersWriteShowsTheIdentityRecordLeftOutAndTheChangeOfAPasswordWritesIt) {
    TestObserver observer(m_line);
    RadioImage image = m_radio.memory;
    m_session.role = AccessRole::User;
    m_session.loginPassword = *PackPassword("42");
    ASSERT_EQ(TransferImage(TransferDirection::Write, image, m_opener, m_session, observer).kind,
              TransferOutcome::Kind::Complete);
    std::vector<std::string> records = Records(m_trace);
    EXPECT_EQ(CountStarting(records, "->  write 0x01B0   57 01 B0 08"), 1u);
    EXPECT_EQ(CountStarting(records, "->  write 0x01B0   B0 B1 B2 B3 B4 B5 B6 B7"), 1u);
    EXPECT_EQ(CountStarting(records, "<-  write 0x01B0   06"), 1u);
    EXPECT_EQ(CountStarting(records, "->  write 0x01B8"), 0u);

    m_session.role = AccessRole::Admin;
    m_session.loginPassword = *PackPassword("123456");
    ASSERT_EQ(OnChange(m_opener, m_session, image, "42").result, PasswordExchange::ModifySuccess);
    records = Records(m_trace);
    EXPECT_EQ(CountStarting(records, "->  write 0x01B8   57 01 B8 08 50 FF 12 34 56 42 FF FF"), 1u);
    // Two exchanges, each with its own header.
    EXPECT_EQ(m_trace.exchanges().size(), 2u);
}

TEST_F(SerialTraceTest, ShortAndFailedCallsAndAFailedOpenAreTold) {
    m_radio.answerIdentity = false;
    TestObserver observer(m_line);
    RadioImage image{};
    TransferImage(TransferDirection::Read, image, m_opener, m_session, observer);
    const std::vector<std::string> records = Records(m_trace);
    EXPECT_EQ(CountStarting(records, "<-  identity       (0 of 8)"), 1u);

    m_line.refuseOpen = true;
    TransferImage(TransferDirection::Read, image, m_opener, m_session, observer);
    const std::vector<std::string> text = Lines(m_trace.Text(Language::English));
    EXPECT_TRUE(text.back().starts_with("# Could not open COM1 (")) << text.back();
    EXPECT_TRUE(text.back().ends_with("): COM1 is in use by another program")) << text.back();

    // A driver that fails.
    m_line.refuseOpen = false;
    m_line.failingReads = 1;
    PortOpener::Opened opened = m_opener.Open("COM1", kTransferProfile);
    ASSERT_NE(opened.port, nullptr);
    opened.port->Read(1);
    EXPECT_TRUE(Records(m_trace).back().ends_with("(0 of 1)  (read failed)"))
        << Records(m_trace).back();
}

TEST(SerialTrace, KeepsTheLatestRecordsWithinItsBoundAndSaysHowManyWentAndTheDesktopsOnlyTheLast) {
    SerialTrace all(SerialTrace::Keep::AllExchanges, 5);
    all.BeginExchange("/dev/ttyUSB0", "");
    for (std::uint8_t i = 0; i < 4; ++i) {
        all.Add({std::chrono::microseconds(i * 1000), TraceRecord::Direction::Sent, "ACK", {i}, 1});
    }
    all.BeginExchange("/dev/ttyUSB1", "");
    for (std::uint8_t i = 4; i < 8; ++i) {
        all.Add(
            {std::chrono::microseconds(i * 1000), TraceRecord::Direction::Received, "ACK", {i}, 1});
    }
    const auto exchanges = all.exchanges();
    ASSERT_EQ(exchanges.size(), 2u);
    EXPECT_EQ(exchanges[0].records.size(), 1u);
    EXPECT_EQ(exchanges[0].leftOut, 3u);
    EXPECT_EQ(exchanges[0].records[0].bytes, std::vector<std::uint8_t>{3});
    EXPECT_EQ(exchanges[1].records.size(), 4u);
    const std::vector<std::string> lines = Lines(all.Text(Language::Chinese));
    EXPECT_EQ(lines[0], "# radioprog 串口记录。其中含有对讲机的身份记录，因而含有它的密码。");
    EXPECT_TRUE(lines[1].starts_with("# /dev/ttyUSB0，打开于 ")) << lines[1];
    EXPECT_EQ(lines[2], "# 3 条较早的记录未保留");
    EXPECT_EQ(lines[4], "       3.0  ->  ACK            03");

    SerialTrace last(SerialTrace::Keep::LastExchange);
    EXPECT_TRUE(last.empty());
    last.BeginExchange("/dev/ttyUSB0", "");
    last.Add({{}, TraceRecord::Direction::Sent, "ACK", {6}, 1});
    last.BeginExchange("/dev/ttyUSB1", "");
    ASSERT_EQ(last.exchanges().size(), 1u);
    EXPECT_EQ(last.exchanges()[0].device, "/dev/ttyUSB1");
    EXPECT_TRUE(last.exchanges()[0].records.empty());
}

TEST(TraceSteps, NameTheConversationFromWhatIsSent) {
    TraceSteps steps;
    const auto sent = [&](std::vector<std::uint8_t> bytes) { return steps.Sent(bytes); };
    EXPECT_EQ(sent({0x02}), "handshake");
    EXPECT_EQ(sent({0x50}), "handshake");
    // A handshake broken off starts over with its first byte.
    EXPECT_EQ(sent({0x02}), "handshake");
    for (const std::uint8_t byte :
         std::vector<std::uint8_t>{0x50, 0x52, 0x4F, 0x47, 0x52, 0x41, 0x5D}) {
        EXPECT_EQ(sent({byte}), "handshake");
    }
    EXPECT_EQ(sent({0x02}), "identity");
    EXPECT_EQ(sent({0x06}), "ACK");
    EXPECT_EQ(sent({0x02}), "handshake");
    EXPECT_EQ(sent({0x52, 0x01, 0xB8, 0x08}), "read 0x01B8");
    EXPECT_EQ(sent({0x57, 0x03, 0xD0, 0x08}), "write 0x03D0");
    EXPECT_EQ(sent({1, 2, 3, 4, 5, 6, 7, 8}), "write 0x03D0");
    EXPECT_EQ(steps.current(), "write 0x03D0");
}

}  // namespace
}  // namespace radioprog
