#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "core/base/language.h"
#include "core/link/port_opener.h"
#include "core/link/radio_port.h"

namespace radioprog {

/// One write or read on a traced line.
struct TraceRecord {
    enum class Direction { Sent, Received };

    std::chrono::microseconds time{0};  ///< since the line was opened
    Direction direction = Direction::Sent;
    std::string step;  ///< of the conversation: "handshake", "identity", "ACK", "read 0x01B8"
    std::vector<std::uint8_t> bytes;
    std::size_t asked = 0;  ///< a read: how many bytes it waited for
    bool failed = false;    ///< the call itself failed
};

/// Everything that went over one opened line (or the open that failed).
struct TraceExchange {
    std::string device;
    std::string openError;  ///< why the line could not be opened; empty when it was
    std::string openedAt;   ///< local time of the open, "2024-05-01 14:03:12"
    std::deque<TraceRecord> records;
    std::size_t leftOut = 0;  ///< earlier records dropped to stay within the bound
};

/// The bytes of a run's exchanges with the radio: each with its time, its direction and the step
/// of the conversation it belongs to. The identity record is among them, and with it the
/// radio's passwords. Bounded: past the limit the oldest records go and are counted. Safe to
/// share between threads.
class SerialTrace {
public:
    enum class Keep {
        LastExchange,  ///< an open forgets the exchanges before it (the desktop program)
        AllExchanges,  ///< every exchange of the run (a command of the command-line tool)
    };
    static constexpr std::size_t kDefaultLimit = 20000;

    explicit SerialTrace(Keep keep, std::size_t recordLimit = kDefaultLimit);

    /// An open of @p device; @p openError is empty when it succeeded.
    void BeginExchange(std::string device, std::string openError);
    /// A record of the latest exchange.
    void Add(TraceRecord record);

    bool empty() const;
    std::vector<TraceExchange> exchanges() const;
    /// The trace as a text file: a header of comment lines in @p language for every exchange,
    /// then a line per record ("    12.3  ->  identity      02"), the same in both languages.
    std::string Text(Language language) const;

private:
    const Keep m_keep;
    const std::size_t m_limit;
    mutable std::mutex m_mutex;
    std::deque<TraceExchange> m_exchanges;  // guarded by m_mutex
    std::size_t m_records = 0;              // guarded by m_mutex
};

/// Names the step of the conversation from what the program sends: the handshake
/// (02 50 52 4F 47 52 41 5D, a byte at a time), the identity request (02 after the handshake),
/// an ACK (06), a half-block command (52 or 57, the address, 08) and the data of a write. What
/// the radio answers belongs to the step of the last thing sent.
class TraceSteps {
public:
    /// The step @p bytes start or continue.
    const std::string& Sent(std::span<const std::uint8_t> bytes);
    const std::string& current() const { return m_step; }

private:
    std::string m_step;
    std::size_t m_handshakeMatched = 0;
    bool m_handshakeDone = false;
};

/// A port whose every write and read goes into a trace.
class TracingPort final : public RadioPort {
public:
    using Clock = std::function<std::chrono::microseconds()>;

    TracingPort(std::unique_ptr<RadioPort> inner, SerialTrace& trace, Clock clock);

    ReadResult Read(std::size_t count) override;
    bool Write(std::span<const std::uint8_t> bytes) override;
    void PurgeInput() override;
    void Sleep(Milliseconds duration) override;
    Milliseconds Now() const override { return m_inner->Now(); }

private:
    std::chrono::microseconds Elapsed() const;

    std::unique_ptr<RadioPort> m_inner;
    SerialTrace& m_trace;
    Clock m_clock;
    std::chrono::microseconds m_opened;
    TraceSteps m_steps;
};

/// Opens through another opener and traces every line it opens; each open, and each open that
/// fails, begins an exchange of the trace.
class TracingPortOpener final : public PortOpener {
public:
    /// @param clock the time of the run; the steady clock unless a test gives its own.
    TracingPortOpener(PortOpener& inner, SerialTrace& trace, TracingPort::Clock clock = {});

    Opened Open(const std::string& portName, const TimeoutProfile& profile) override;
    bool CanOpen(const std::string& portName) override;
    std::string DeviceFor(const std::string& portName) const override;

private:
    PortOpener& m_inner;
    SerialTrace& m_trace;
    TracingPort::Clock m_clock;
};

}  // namespace radioprog
