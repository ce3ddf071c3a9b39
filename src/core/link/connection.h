#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "core/link/link_observer.h"
#include "core/link/link_session.h"
#include "core/link/port_opener.h"
#include "core/link/radio_port.h"
#include "core/radio/memory_image.h"
#include "core/radio/packed_password.h"

namespace radioprog {

namespace wire {
inline constexpr std::array<std::uint8_t, 8> kHandshake = {0x02, 0x50, 0x52, 0x4F,
                                                           0x47, 0x52, 0x41, 0x5D};
inline constexpr std::uint8_t kIdentityRequest = 0x02;
inline constexpr std::uint8_t kAck = 0x06;
/// The first byte of every identity record.
inline constexpr std::uint8_t kIdentityMarker = image::kIdentityMarker;
inline constexpr std::size_t kIdentitySize = 8;
/// A radio that answers with exactly these bytes is taken without a password check.
inline constexpr std::array<std::uint8_t, 8> kStandardIdentity = {0x50, 0x36, 0x31, 0x38,
                                                                  0x34, 0x32, 0xF8, 0xFF};
}  // namespace wire

using IdentityReply = std::array<std::uint8_t, wire::kIdentitySize>;

/// Puts the radio into programming mode: the handshake one byte at a time, each after a 2 ms
/// pause and with the input purged before it.
void SendHandshake(RadioPort& port);

/// Whether @p reply begins as an identity record does (50); anything else is no answer.
bool IsIdentityRecord(std::span<const std::uint8_t> reply);

/// Whether the identity reply lets the role in: the standard identity always does; otherwise
/// the role's password (Admin bytes 2-4, User bytes 5-7) must be unset or equal the login's.
bool CheckIdentity(const IdentityReply& reply, AccessRole role, const PackedPassword& login);

/// How a connection attempt ended when it did not connect.
enum class ConnectEnd {
    PortError,           ///< the port could not be opened
    Cancelled,           ///< the user cancelled while the queue was pumped
    CommunicationError,  ///< Cancel in the Communication Error question
    ProgramInterrupt,    ///< the ACK was refused after many failed reads
    PasswordRefused,     ///< the re-login after a password error was cancelled
};

struct Connection {
    std::unique_ptr<RadioPort> port;  ///< open, radio waiting for block commands; null if ended
    std::optional<ConnectEnd> end;
};

/// Opens the current port and brings the radio to the point where it takes block commands,
/// retrying, asking and re-logging-in as the user decides. A reply to the identity request that
/// is shorter than 8 bytes is no answer at all and leads to the Communication Error question,
/// never to a password error; so is one that does not begin with the identity record's 50.
/// With @p patience, attempts that get no usable answer are repeated without a question until
/// that much time has passed since the first: for a radio that restarts after programming.
Connection ConnectForTransfer(PortOpener& opener, LinkSession& session, LinkObserver& observer,
                              Milliseconds patience = Milliseconds(0));

}  // namespace radioprog
