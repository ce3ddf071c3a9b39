#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace radioprog {

using Milliseconds = std::chrono::milliseconds;

/// Read and write time-outs with the classic serial meaning: a read of n bytes waits at most
/// readTotalConstant + readTotalMultiplier x n in all and gives up after a gap of readInterval
/// between two bytes; a write may take writeTotalConstant + writeTotalMultiplier x n.
struct TimeoutProfile {
    Milliseconds readInterval;
    Milliseconds readTotalMultiplier;
    Milliseconds readTotalConstant;
    Milliseconds writeTotalMultiplier;
    Milliseconds writeTotalConstant;

    Milliseconds ReadTotal(std::size_t count) const {
        return readTotalConstant + readTotalMultiplier * static_cast<long>(count);
    }
    Milliseconds WriteTotal(std::size_t count) const {
        return writeTotalConstant + writeTotalMultiplier * static_cast<long>(count);
    }
};

/// Block transfers.
inline constexpr TimeoutProfile kTransferProfile{
    Milliseconds(20), Milliseconds(20), Milliseconds(20), Milliseconds(50), Milliseconds(50)};
/// The password exchanges.
inline constexpr TimeoutProfile kPasswordProfile{
    Milliseconds(30), Milliseconds(50), Milliseconds(90), Milliseconds(50), Milliseconds(50)};

/// An open line to the radio, 9600 8N1. The protocol engines talk to the radio only through
/// this, so a fake with a virtual clock and the real serial port serve them alike.
class RadioPort {
public:
    virtual ~RadioPort() = default;

    struct ReadResult {
        bool failed = false;              ///< the read call itself failed (a driver error)
        std::vector<std::uint8_t> bytes;  ///< what arrived; a time-out gives fewer bytes
    };

    /// Reads up to @p count bytes within the profile's time-outs. A time-out is not an error.
    virtual ReadResult Read(std::size_t count) = 0;
    /// Writes @p bytes; returns false when they could not all be handed over.
    virtual bool Write(std::span<const std::uint8_t> bytes) = 0;
    /// Discards whatever has arrived and not been read. Output already written is never dropped.
    virtual void PurgeInput() = 0;
    /// The protocol's pauses.
    virtual void Sleep(Milliseconds duration) = 0;
    /// The line's clock, for waits that are bounded in time rather than in attempts. The
    /// steady clock unless the line keeps time of its own (a fake in virtual time).
    virtual Milliseconds Now() const {
        return std::chrono::duration_cast<Milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
    }
};

}  // namespace radioprog
