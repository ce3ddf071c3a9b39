#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <string_view>
#include <vector>

#include "core/radio/memory_image.h"
#include "core/radio/packed_password.h"

namespace radioprog {

/// Where the wrong-ACK fault answers 0x15 (NAK) instead of 06.
enum class AckFault {
    kNone,
    kHandshake,   ///< the answer to the handshake
    kConnection,  ///< the answer to the ACK that follows the identity reply
    kBlock,       ///< the answer to the ACK after a read reply, and to every write
};

/// Misbehaviour the simulated radio can be asked for; everything is off by default. The state
/// machine carries out the faults that change bytes; `slow` and the line closing of
/// `hangUpAfter` are carried out by the layer that owns the line (see PtyRadio).
struct SimFaults {
    /// Never answers anything.
    bool silent = false;
    /// Once this many read or write half-blocks were served, the next half-block command and
    /// everything after it go unanswered.
    std::optional<std::size_t> stopAfter;
    /// Read replies lose their last byte (11 bytes instead of 12).
    bool shortReadReply = false;
    AckFault wrongAck = AckFault::kNone;
    /// When set, some answers are preceded by one to three random bytes from an RNG seeded
    /// with this value, so that a run can be repeated exactly.
    std::optional<std::uint32_t> garbageSeed;
    /// Answers come later than any read time-out of the program allows (kSlowAnswerDelay).
    bool slow = false;
    /// Once this many half-blocks were served, the next half-block command closes the line.
    std::optional<std::size_t> hangUpAfter;
    /// A write of the half-block at this address is answered 06 but not stored.
    std::optional<std::uint16_t> dropWrite;
    /// The first read reply for this address in each conversation comes after a stray byte.
    std::optional<std::uint16_t> noiseBefore;
    /// After a conversation that wrote, handshakes are ignored for this long, as a radio that
    /// restarts after programming does. The conversation ends when the line is dropped or a new
    /// handshake comes; the time is the owner's (see SetTime).
    std::optional<std::chrono::milliseconds> restartAfterWrite;
};

/// The stray byte of the noise fault.
inline constexpr std::uint8_t kNoiseByte = 0x7F;

/// A half-block address as the fault options take it: decimal or 0x hexadecimal, a multiple of
/// 8 from 0 to 0x3D8. Nothing for anything else.
std::optional<std::uint16_t> ParseHalfBlockAddress(std::string_view text);

/// What the radio has done so far, for tests, benchmarks and the curious.
struct SimStats {
    std::size_t connections = 0;  ///< handshakes answered
    std::size_t halfBlocksRead = 0;
    std::size_t halfBlocksWritten = 0;

    bool operator==(const SimStats&) const = default;
};

/// The radio's side of the programming protocol as a state machine without I/O or clocks: the
/// caller feeds every byte the program sends and passes on whatever comes back.
///
/// Messages: the handshake 02 "PROGRA]" is answered with 06, in any state, which starts the
/// conversation over. Then 02 asks for the 8-byte identity reply (memory 0x1B8-0x1BF) and 06
/// is answered with 06, after which the radio takes block commands: "R" hi lo 08 is answered
/// with the 4 command bytes and the 8 memory bytes at that address, followed by the program's
/// 06 that is answered with 06; "W" hi lo 08 and 8 data bytes stores them and is answered with
/// 06. Anything else is ignored without an answer. Right after a handshake an 02 is the
/// identity request and is answered as one, even when the rest of a new handshake follows it.
///
/// A block command for an address that is not a multiple of 8 or lies beyond 0x03D8, or with a
/// length other than 8, gets no answer and changes nothing; a write command still takes as many
/// data bytes as its length byte announces, so that the bytes after it are read as the next
/// command and not as data.
class RadioSimulator {
public:
    static constexpr std::uint16_t kLastAddress = image::kRadioBytes - image::kHalfBlockSize;
    static constexpr std::uint8_t kAck = 0x06;
    static constexpr std::uint8_t kNak = 0x15;
    static constexpr std::array<std::uint8_t, 8> kHandshake = {0x02, 0x50, 0x52, 0x4F,
                                                               0x47, 0x52, 0x41, 0x5D};
    static constexpr std::array<std::uint8_t, 8> kStandardIdentity = {0x50, 0x36, 0x31, 0x38,
                                                                      0x34, 0x32, 0xF8, 0xFF};

    explicit RadioSimulator(const RadioImage& memory, const SimFaults& faults = {});

    /// Takes one byte from the program; returns the radio's answer when this byte completes a
    /// message that gets one, and nothing otherwise.
    std::vector<std::uint8_t> Receive(std::uint8_t byte);

    /// The program closed the line: a message half received is forgotten and the radio waits
    /// for a handshake. Faults that silenced the radio stay in force.
    void LineDropped();

    /// The time now, by the owner's clock: what the restart fault is measured by. Starts at 0.
    void SetTime(std::chrono::milliseconds now) { m_now = now; }
    /// The restart fault is keeping the radio deaf to handshakes.
    bool restarting() const { return m_now < m_deafUntil; }

    /// The whole 1024-byte image; only bytes 0x000-0x3DF are ever exchanged, the rest is kept
    /// as it was given.
    const RadioImage& memory() const { return m_memory; }
    void SetMemory(const RadioImage& memory) { m_memory = memory; }

    /// Puts a password into the identity record (and the record's 0x50 in front of it); the
    /// other bytes of the record stay as they are.
    void SetAdminPassword(const PackedPassword& password);
    void SetUserPassword(const PackedPassword& password);
    /// Makes the identity reply the standard identity, accepted by the program without a
    /// password.
    void UseStandardIdentity();

    const SimFaults& faults() const { return m_faults; }
    const SimStats& stats() const { return m_stats; }
    /// The hang-up fault fired: whoever owns the line must close it now.
    bool hungUp() const { return m_hungUp; }

private:
    enum class State {
        kIdle,             // waiting for a handshake
        kGreeted,          // handshake answered, waiting for the identity request
        kIdentified,       // identity sent, waiting for the ACK
        kProgramming,      // waiting for a block command
        kCommand,          // collecting the rest of a block command
        kAwaitingReadAck,  // read reply sent, waiting for the program's ACK
        kStopped,          // a fault silenced the radio for good
    };

    bool MatchHandshake(std::uint8_t byte);
    std::vector<std::uint8_t> HandleInState(std::uint8_t byte);
    std::vector<std::uint8_t> CollectCommand(std::uint8_t byte);
    std::vector<std::uint8_t> ExecuteCommand();
    bool HalfBlockLimitReached();
    std::vector<std::uint8_t> Answer(std::vector<std::uint8_t> bytes);
    std::uint8_t AckFor(AckFault where) const;

    RadioImage m_memory;
    SimFaults m_faults;
    SimStats m_stats;
    State m_state = State::kIdle;
    std::size_t m_handshakeMatched = 0;
    std::vector<std::uint8_t> m_command;
    std::size_t m_commandSize = 0;
    bool m_hungUp = false;
    std::mt19937 m_garbage;
    std::chrono::milliseconds m_now{0};
    std::chrono::milliseconds m_deafUntil{0};
    std::chrono::milliseconds m_lastWrite{0};
    bool m_wroteInConversation = false;
    bool m_noiseSent = false;

    void EndConversation(std::chrono::milliseconds at);
};

}  // namespace radioprog
