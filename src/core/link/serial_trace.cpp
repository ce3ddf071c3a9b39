#include "core/link/serial_trace.h"

#include <time.h>

#include <cstdio>
#include <utility>

#include "core/link/block_transfer.h"
#include "core/link/connection.h"

namespace radioprog {
namespace {

std::string WallClockNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[32] = "";
    if (::localtime_r(&now, &local) != nullptr) {
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    }
    return text;
}

std::string Hex(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const std::uint8_t byte : bytes) {
        if (!text.empty()) {
            text += ' ';
        }
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

std::string HalfBlockStep(std::uint8_t command, std::uint8_t high, std::uint8_t low) {
    char text[24];
    std::snprintf(text, sizeof text, "%s 0x%02X%02X",
                  command == wire::kReadCommand ? "read" : "write", high, low);
    return text;
}

std::string RecordLine(const TraceRecord& record) {
    const bool sent = record.direction == TraceRecord::Direction::Sent;
    char head[64];
    std::snprintf(head, sizeof head, "%10.1f  %-3s %-14s ",
                  static_cast<double>(record.time.count()) / 1000.0, sent ? "->" : "<-",
                  record.step.c_str());
    std::string line = head + Hex(record.bytes);
    if (!sent && record.bytes.size() < record.asked) {
        line += (record.bytes.empty() ? "(" : "  (") + std::to_string(record.bytes.size()) +
                " of " + std::to_string(record.asked) + ")";
    }
    if (record.failed) {
        line += sent ? "  (not written)" : "  (read failed)";
    }
    while (!line.empty() && line.back() == ' ') {
        line.pop_back();
    }
    return line + "\n";
}

std::string ExchangeHeader(const TraceExchange& exchange, Language language) {
    std::string header;
    if (!exchange.openError.empty()) {
        return "# " + std::string(BilingualText{"Could not open ", "无法打开 "}.In(language)) +
               exchange.device + " (" + exchange.openedAt + "): " + exchange.openError + "\n";
    }
    header += "# " + exchange.device +
              std::string(BilingualText{", opened ", "，打开于 "}.In(language)) +
              exchange.openedAt + "\n";
    if (exchange.leftOut > 0) {
        header += "# " + std::to_string(exchange.leftOut) +
                  std::string(BilingualText{" earlier records left out", " 条较早的记录未保留"}.In(
                      language)) +
                  "\n";
    }
    header += "#       ms  dir step           bytes\n";
    return header;
}

}  // namespace

SerialTrace::SerialTrace(Keep keep, std::size_t recordLimit)
    : m_keep(keep), m_limit(recordLimit == 0 ? 1 : recordLimit) {}

void SerialTrace::BeginExchange(std::string device, std::string openError) {
    const std::lock_guard lock(m_mutex);
    if (m_keep == Keep::LastExchange) {
        m_exchanges.clear();
        m_records = 0;
    }
    m_exchanges.push_back({std::move(device), std::move(openError), WallClockNow(), {}, 0});
}

void SerialTrace::Add(TraceRecord record) {
    const std::lock_guard lock(m_mutex);
    if (m_exchanges.empty()) {
        return;
    }
    m_exchanges.back().records.push_back(std::move(record));
    ++m_records;
    // The oldest record of the oldest exchange that still has one goes first.
    for (auto exchange = m_exchanges.begin(); m_records > m_limit && exchange != m_exchanges.end();
         ++exchange) {
        while (m_records > m_limit && !exchange->records.empty()) {
            exchange->records.pop_front();
            ++exchange->leftOut;
            --m_records;
        }
    }
}

bool SerialTrace::empty() const {
    const std::lock_guard lock(m_mutex);
    return m_exchanges.empty();
}

std::vector<TraceExchange> SerialTrace::exchanges() const {
    const std::lock_guard lock(m_mutex);
    return {m_exchanges.begin(), m_exchanges.end()};
}

std::string SerialTrace::Text(Language language) const {
    std::string text = "# " +
                       std::string(BilingualText{"radioprog serial trace. It holds the radio's "
                                                 "identity record and so its passwords.",
                                                 "radioprog 串口记录。其中含有对讲机的身份记录，"
                                                 "因而含有它的密码。"}
                                       .In(language)) +
                       "\n";
    for (const TraceExchange& exchange : exchanges()) {
        text += ExchangeHeader(exchange, language);
        for (const TraceRecord& record : exchange.records) {
            text += RecordLine(record);
        }
    }
    return text;
}

const std::string& TraceSteps::Sent(std::span<const std::uint8_t> bytes) {
    if (bytes.size() == 1) {
        const std::uint8_t byte = bytes[0];
        if (byte == wire::kIdentityRequest && m_handshakeDone) {
            m_handshakeDone = false;
            m_step = "identity";
        } else if (byte == wire::kHandshake[m_handshakeMatched] || byte == wire::kHandshake[0]) {
            // A byte out of order starts the handshake over when it can.
            m_handshakeMatched =
                byte == wire::kHandshake[m_handshakeMatched] ? m_handshakeMatched + 1 : 1;
            m_handshakeDone = m_handshakeMatched == wire::kHandshake.size();
            if (m_handshakeDone) {
                m_handshakeMatched = 0;
            }
            m_step = "handshake";
        } else if (byte == wire::kAck) {
            m_handshakeMatched = 0;
            m_handshakeDone = false;
            m_step = "ACK";
        }
        return m_step;
    }
    m_handshakeMatched = 0;
    m_handshakeDone = false;
    const bool command = bytes.size() >= 4 && bytes[3] == wire::kHalfBlockLength &&
                         (bytes[0] == wire::kReadCommand || bytes[0] == wire::kWriteCommand);
    if (command) {
        m_step = HalfBlockStep(bytes[0], bytes[1], bytes[2]);
    }
    return m_step;
}

TracingPort::TracingPort(std::unique_ptr<RadioPort> inner, SerialTrace& trace, Clock clock)
    : m_inner(std::move(inner)), m_trace(trace), m_clock(std::move(clock)), m_opened(m_clock()) {}

std::chrono::microseconds TracingPort::Elapsed() const {
    return m_clock() - m_opened;
}

RadioPort::ReadResult TracingPort::Read(std::size_t count) {
    ReadResult result = m_inner->Read(count);
    m_trace.Add({Elapsed(), TraceRecord::Direction::Received, m_steps.current(), result.bytes,
                 count, result.failed});
    return result;
}

bool TracingPort::Write(std::span<const std::uint8_t> bytes) {
    const std::chrono::microseconds at = Elapsed();
    const std::string step = m_steps.Sent(bytes);
    const bool written = m_inner->Write(bytes);
    m_trace.Add({at,
                 TraceRecord::Direction::Sent,
                 step,
                 {bytes.begin(), bytes.end()},
                 bytes.size(),
                 !written});
    return written;
}

void TracingPort::PurgeInput() {
    m_inner->PurgeInput();
}

void TracingPort::Sleep(Milliseconds duration) {
    m_inner->Sleep(duration);
}

TracingPortOpener::TracingPortOpener(PortOpener& inner, SerialTrace& trace,
                                     TracingPort::Clock clock)
    : m_inner(inner), m_trace(trace), m_clock(std::move(clock)) {
    if (!m_clock) {
        m_clock = [] {
            return std::chrono::duration_cast<std::chrono::microseconds>(
                std::chrono::steady_clock::now().time_since_epoch());
        };
    }
}

PortOpener::Opened TracingPortOpener::Open(const std::string& portName,
                                           const TimeoutProfile& profile) {
    Opened opened = m_inner.Open(portName, profile);
    const std::string device = m_inner.DeviceFor(portName);
    m_trace.BeginExchange(device.empty() ? portName : device, opened.port ? "" : opened.error);
    if (opened.port) {
        opened.port = std::make_unique<TracingPort>(std::move(opened.port), m_trace, m_clock);
    }
    return opened;
}

bool TracingPortOpener::CanOpen(const std::string& portName) {
    return m_inner.CanOpen(portName);
}

std::string TracingPortOpener::DeviceFor(const std::string& portName) const {
    return m_inner.DeviceFor(portName);
}

}  // namespace radioprog
