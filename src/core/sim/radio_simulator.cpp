#include "core/sim/radio_simulator.h"

#include <algorithm>
#include <charconv>

namespace radioprog {
namespace {

constexpr std::uint8_t kIdentityRequest = 0x02;
constexpr std::uint8_t kReadCommand = 0x52;   // "R"
constexpr std::uint8_t kWriteCommand = 0x57;  // "W"
constexpr std::size_t kCommandHeaderSize = 4;

}  // namespace

std::optional<std::uint16_t> ParseHalfBlockAddress(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value % image::kHalfBlockSize != 0 || value > RadioSimulator::kLastAddress) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}

RadioSimulator::RadioSimulator(const RadioImage& memory, const SimFaults& faults)
    : m_memory(memory), m_faults(faults), m_garbage(faults.garbageSeed.value_or(0)) {}

std::vector<std::uint8_t> RadioSimulator::Receive(std::uint8_t byte) {
    if (m_faults.silent || m_hungUp || m_state == State::kStopped) {
        return {};
    }
    // Inside a block command every byte is data, even one that looks like a handshake.
    if (m_state == State::kCommand) {
        return CollectCommand(byte);
    }
    const bool wasMatching = m_handshakeMatched > 0;
    if (MatchHandshake(byte)) {
        EndConversation(m_lastWrite);
        if (restarting()) {
            m_state = State::kIdle;
            return {};
        }
        m_noiseSent = false;
        m_state = State::kGreeted;
        ++m_stats.connections;
        return Answer({AckFor(AckFault::kHandshake)});
    }
    // The handshake starts with the identity request, so an 02 is both; the bytes after it
    // belong to the handshake for as long as they match it.
    if (wasMatching && m_handshakeMatched > 1) {
        return {};
    }
    return HandleInState(byte);
}

void RadioSimulator::EndConversation(std::chrono::milliseconds at) {
    if (m_wroteInConversation && m_faults.restartAfterWrite) {
        m_deafUntil = at + *m_faults.restartAfterWrite;
    }
    m_wroteInConversation = false;
}

void RadioSimulator::LineDropped() {
    EndConversation(m_now);
    if (m_state != State::kStopped) {
        m_state = State::kIdle;
    }
    m_handshakeMatched = 0;
    m_command.clear();
}

void RadioSimulator::SetAdminPassword(const PackedPassword& password) {
    m_memory[image::kIdentity] = image::kIdentityMarker;
    std::copy(password.begin(), password.end(), m_memory.begin() + image::kIdentityAdminPassword);
}

void RadioSimulator::SetUserPassword(const PackedPassword& password) {
    m_memory[image::kIdentity] = image::kIdentityMarker;
    std::copy(password.begin(), password.end(), m_memory.begin() + image::kIdentityUserPassword);
}

void RadioSimulator::UseStandardIdentity() {
    std::copy(kStandardIdentity.begin(), kStandardIdentity.end(),
              m_memory.begin() + image::kIdentity);
}

bool RadioSimulator::MatchHandshake(std::uint8_t byte) {
    if (byte == kHandshake[m_handshakeMatched]) {
        ++m_handshakeMatched;
    } else {
        // 02 occurs only at the start of the handshake, so a mismatch can only restart it there.
        m_handshakeMatched = byte == kHandshake[0] ? 1 : 0;
    }
    if (m_handshakeMatched == kHandshake.size()) {
        m_handshakeMatched = 0;
        return true;
    }
    return false;
}

std::vector<std::uint8_t> RadioSimulator::HandleInState(std::uint8_t byte) {
    switch (m_state) {
        case State::kGreeted:
            if (byte == kIdentityRequest) {
                m_state = State::kIdentified;
                const auto identity = m_memory.begin() + image::kIdentity;
                return Answer({identity, identity + image::kIdentitySize});
            }
            return {};
        case State::kIdentified:
            if (byte == kAck) {
                m_state = State::kProgramming;
                return Answer({AckFor(AckFault::kConnection)});
            }
            return {};
        case State::kAwaitingReadAck:
            m_state = State::kProgramming;
            if (byte == kAck) {
                return Answer({AckFor(AckFault::kBlock)});
            }
            // A program that skips the ACK goes straight on with its next command.
            return HandleInState(byte);
        case State::kProgramming:
            if (byte == kReadCommand || byte == kWriteCommand) {
                m_command.assign(1, byte);
                m_commandSize = kCommandHeaderSize;
                m_state = State::kCommand;
            }
            return {};
        case State::kIdle:
        case State::kCommand:
        case State::kStopped:
            return {};
    }
    return {};
}

std::vector<std::uint8_t> RadioSimulator::CollectCommand(std::uint8_t byte) {
    m_command.push_back(byte);
    if (m_command.size() == kCommandHeaderSize && m_command[0] == kWriteCommand) {
        m_commandSize = kCommandHeaderSize + m_command[3];
    }
    if (m_command.size() < m_commandSize) {
        return {};
    }
    m_state = State::kProgramming;
    return ExecuteCommand();
}

std::vector<std::uint8_t> RadioSimulator::ExecuteCommand() {
    const std::size_t address = static_cast<std::size_t>(m_command[1]) << 8 | m_command[2];
    const std::size_t length = m_command[3];
    if (length != image::kHalfBlockSize || address % image::kHalfBlockSize != 0 ||
        address > kLastAddress) {
        return {};
    }
    if (HalfBlockLimitReached()) {
        return {};
    }
    const auto data = m_memory.begin() + static_cast<std::ptrdiff_t>(address);
    if (m_command[0] == kReadCommand) {
        std::vector<std::uint8_t> reply(m_command.begin(), m_command.begin() + kCommandHeaderSize);
        reply.insert(reply.end(), data, data + image::kHalfBlockSize);
        if (m_faults.shortReadReply) {
            reply.pop_back();
        }
        if (m_faults.noiseBefore == address && !m_noiseSent) {
            m_noiseSent = true;
            reply.insert(reply.begin(), kNoiseByte);
        }
        ++m_stats.halfBlocksRead;
        m_state = State::kAwaitingReadAck;
        return Answer(std::move(reply));
    }
    if (m_faults.dropWrite != address) {
        std::copy(m_command.begin() + kCommandHeaderSize, m_command.end(), data);
    }
    ++m_stats.halfBlocksWritten;
    m_wroteInConversation = true;
    m_lastWrite = m_now;
    return Answer({AckFor(AckFault::kBlock)});
}

bool RadioSimulator::HalfBlockLimitReached() {
    const std::size_t served = m_stats.halfBlocksRead + m_stats.halfBlocksWritten;
    if (m_faults.hangUpAfter && served >= *m_faults.hangUpAfter) {
        m_hungUp = true;
        return true;
    }
    if (m_faults.stopAfter && served >= *m_faults.stopAfter) {
        m_state = State::kStopped;
        return true;
    }
    return false;
}

std::vector<std::uint8_t> RadioSimulator::Answer(std::vector<std::uint8_t> bytes) {
    if (!m_faults.garbageSeed) {
        return bytes;
    }
    // The generator's raw output is fixed by the standard, unlike the distributions, so a seed
    // gives the same garbage with every standard library.
    if (m_garbage() % 2 == 0) {
        return bytes;
    }
    std::vector<std::uint8_t> noisy(1 + m_garbage() % 3);
    for (std::uint8_t& b : noisy) {
        b = static_cast<std::uint8_t>(m_garbage());
    }
    noisy.insert(noisy.end(), bytes.begin(), bytes.end());
    return noisy;
}

std::uint8_t RadioSimulator::AckFor(AckFault where) const {
    return m_faults.wrongAck == where ? kNak : kAck;
}

}  // namespace radioprog
