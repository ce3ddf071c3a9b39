#include "core/link/connection.h"

#include <algorithm>

#include "core/link/link_session.h"

namespace radioprog {
namespace {

constexpr Milliseconds kHandshakePause(2);
constexpr Milliseconds kPause(1);
constexpr int kPumpsBeforeAttempt = 6;
constexpr int kMaxFailedHandshakeReads = 15;
constexpr int kAttemptsBeforeInterrupt = 5;

void WriteByte(RadioPort& port, std::uint8_t byte) {
    port.Write(std::span(&byte, 1));
}

// Six events of the application before each attempt, so that Cancel works.
bool PumpBeforeAttempt(RadioPort& port, LinkObserver& observer) {
    for (int i = 0; i < kPumpsBeforeAttempt; ++i) {
        observer.Pump();
        if (observer.CancelRequested()) {
            return false;
        }
        port.Sleep(kPause);
    }
    return true;
}

std::optional<IdentityReply> RequestIdentity(RadioPort& port) {
    port.Sleep(kPause);
    port.PurgeInput();
    WriteByte(port, wire::kIdentityRequest);
    port.Sleep(kPause);
    const RadioPort::ReadResult reply = port.Read(wire::kIdentitySize);
    // Line noise is no identity: taken for one, its password bytes would be a Password Error.
    if (reply.bytes.size() < wire::kIdentitySize || !IsIdentityRecord(reply.bytes)) {
        return std::nullopt;
    }
    IdentityReply identity{};
    std::copy_n(reply.bytes.begin(), identity.size(), identity.begin());
    return identity;
}

bool Acknowledge(RadioPort& port) {
    port.PurgeInput();
    WriteByte(port, wire::kAck);
    port.PurgeInput();
    port.Sleep(kPause);
    const RadioPort::ReadResult answer = port.Read(1);
    return answer.bytes.size() == 1 && answer.bytes[0] == wire::kAck;
}

Connection Ended(ConnectEnd end) {
    return Connection{nullptr, end};
}

// What follows one attempt of handshake, identity and ACK.
enum class Next { Again, AskUser, Connected, Interrupted, Refused };

Next Attempt(RadioPort& port, LinkSession& session, LinkObserver& observer, int& attempt) {
    SendHandshake(port);
    if (port.Read(1).failed) {
        // Only a failing driver counts; a radio that stays silent is caught at the identity.
        port.Sleep(kHandshakePause);
        return ++attempt <= kMaxFailedHandshakeReads ? Next::Again : Next::AskUser;
    }
    const auto identity = RequestIdentity(port);
    if (!identity) {
        return Next::AskUser;
    }
    if (!CheckIdentity(*identity, session.role, session.loginPassword)) {
        observer.ShowMessage(LinkMessage::PasswordError, {});
        const auto password = observer.ReLogin();
        if (!password) {
            return Next::Refused;
        }
        session.loginPassword = *password;
        return Next::Again;
    }
    if (Acknowledge(port)) {
        return Next::Connected;
    }
    return attempt > kAttemptsBeforeInterrupt ? Next::Interrupted : Next::AskUser;
}

}  // namespace

void SendHandshake(RadioPort& port) {
    port.PurgeInput();
    for (std::uint8_t byte : wire::kHandshake) {
        port.Sleep(kHandshakePause);
        port.PurgeInput();
        WriteByte(port, byte);
    }
}

bool IsIdentityRecord(std::span<const std::uint8_t> reply) {
    return !reply.empty() && reply[0] == wire::kIdentityMarker;
}

bool CheckIdentity(const IdentityReply& reply, AccessRole role, const PackedPassword& login) {
    if (reply == wire::kStandardIdentity) {
        return true;
    }
    const std::size_t first = role == AccessRole::Admin ? 2 : 5;
    const PackedPassword radio{reply[first], reply[first + 1], reply[first + 2]};
    return !IsPasswordSet(radio) || radio == login;
}

PortOpener::Opened OpenRadioPort(PortOpener& opener, const LinkSession& session,
                                 const TimeoutProfile& profile) {
    return opener.Open(session.portName, profile);
}

Connection ConnectForTransfer(PortOpener& opener, LinkSession& session, LinkObserver& observer,
                              Milliseconds patience) {
    PortOpener::Opened opened = OpenRadioPort(opener, session, kTransferProfile);
    if (!opened.port) {
        observer.ShowMessage(LinkMessage::CouldNotOpenPort, opened.error);
        return Ended(ConnectEnd::PortError);
    }
    RadioPort& port = *opened.port;
    const Milliseconds start = port.Now();
    const auto patient = [&] { return port.Now() - start < patience; };
    int attempt = 1;
    for (;;) {
        if (!PumpBeforeAttempt(port, observer)) {
            return Ended(ConnectEnd::Cancelled);
        }
        switch (Attempt(port, session, observer, attempt)) {
            case Next::Again:
                break;
            case Next::Connected:
                return Connection{std::move(opened.port), std::nullopt};
            case Next::Refused:
                return Ended(ConnectEnd::PasswordRefused);
            case Next::Interrupted:
                if (patient()) {
                    attempt = 1;
                    break;
                }
                observer.ShowMessage(LinkMessage::ProgramInterrupt, {});
                return Ended(ConnectEnd::ProgramInterrupt);
            case Next::AskUser:
                // A radio that restarts after programming is deaf for a while: not worth a
                // question yet.
                if (patient()) {
                    attempt = 1;
                    break;
                }
                if (!observer.AskRetry()) {
                    return Ended(ConnectEnd::CommunicationError);
                }
                attempt = 1;
                break;
        }
    }
}

}  // namespace radioprog
