#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../../support/temp_dir.h"
#include "core/link/port_opener.h"
#include "core/link/radio_port.h"

namespace radioprog::testing {

/// A serial line to a radio in virtual time. Every operation of the program is logged as one
/// token ("P" purge, "S2" sleep 2 ms, "W 02 50" write, "R8:50 36" read of 8 with what came),
/// so tests compare exact sequences; nothing sleeps for real.
class FakeLine {
public:
    /// The radio: takes each byte the program writes, returns the bytes it answers.
    using Peer = std::function<std::vector<std::uint8_t>(std::uint8_t)>;

    Peer peer;
    Milliseconds answerDelay{3};
    /// Read calls that fail before the next one succeeds.
    int failingReads = 0;
    bool refuseOpen = false;
    std::string lastPortName;
    int opens = 0;

    Milliseconds now{0};
    std::vector<std::string> log;

    std::string Log() const {
        std::string joined;
        for (const auto& token : log) {
            joined += (joined.empty() ? "" : " | ") + token;
        }
        return joined;
    }
    std::size_t Count(const std::string& token) const {
        std::size_t n = 0;
        for (const auto& t : log) {
            n += t == token ? 1 : 0;
        }
        return n;
    }

    void Write(std::span<const std::uint8_t> bytes) {
        log.push_back("W" + Hex(bytes));
        for (std::uint8_t byte : bytes) {
            if (!peer) {
                continue;
            }
            for (std::uint8_t answer : peer(byte)) {
                m_incoming.push_back({now + answerDelay, answer});
            }
        }
    }
    void Purge() {
        log.push_back("P");
        while (!m_incoming.empty() && m_incoming.front().at <= now) {
            m_incoming.pop_front();
        }
    }
    void Sleep(Milliseconds duration) {
        log.push_back("S" + std::to_string(duration.count()));
        now += duration;
    }
    RadioPort::ReadResult Read(std::size_t count, const TimeoutProfile& profile) {
        RadioPort::ReadResult result;
        if (failingReads > 0) {
            --failingReads;
            result.failed = true;
            log.push_back("R" + std::to_string(count) + ":fail");
            return result;
        }
        const Milliseconds deadline = now + profile.ReadTotal(count);
        Milliseconds last = now;
        while (result.bytes.size() < count && !m_incoming.empty()) {
            const Arrival next = m_incoming.front();
            const Milliseconds at = std::max(next.at, now);
            if (at > deadline || (!result.bytes.empty() && at - last > profile.readInterval)) {
                break;
            }
            m_incoming.pop_front();
            result.bytes.push_back(next.byte);
            last = at;
        }
        if (result.bytes.size() == count) {
            now = last;
        } else {
            now = result.bytes.empty() ? deadline : std::min(deadline, last + profile.readInterval);
        }
        const std::string got = Hex(result.bytes);
        log.push_back("R" + std::to_string(count) + ":" + (got.empty() ? got : got.substr(1)));
        return result;
    }

    static std::string Hex(std::span<const std::uint8_t> bytes) {
        std::ostringstream text;
        for (std::uint8_t b : bytes) {
            static const char* digits = "0123456789ABCDEF";
            text << ' ' << digits[b >> 4] << digits[b & 0x0F];
        }
        return text.str();
    }

private:
    struct Arrival {
        Milliseconds at;
        std::uint8_t byte;
    };
    std::deque<Arrival> m_incoming;
};

class FakePort : public RadioPort {
public:
    FakePort(FakeLine& line, const TimeoutProfile& profile) : m_line(line), m_profile(profile) {}
    ~FakePort() override { m_line.log.push_back("close"); }

    ReadResult Read(std::size_t count) override { return m_line.Read(count, m_profile); }
    bool Write(std::span<const std::uint8_t> bytes) override {
        m_line.Write(bytes);
        return true;
    }
    void PurgeInput() override { m_line.Purge(); }
    void Sleep(Milliseconds duration) override { m_line.Sleep(duration); }
    Milliseconds Now() const override { return m_line.now; }

private:
    FakeLine& m_line;
    TimeoutProfile m_profile;
};

class FakeOpener : public PortOpener {
public:
    explicit FakeOpener(FakeLine& line) : m_line(line) {}

    Opened Open(const std::string& portName, const TimeoutProfile& profile) override {
        m_line.lastPortName = portName;
        ++m_line.opens;
        if (m_line.refuseOpen) {
            return {nullptr, portName + " is in use by another program"};
        }
        m_line.log.push_back("open");
        return {std::make_unique<FakePort>(m_line, profile), {}};
    }

private:
    FakeLine& m_line;
};

}  // namespace radioprog::testing
