#include "core/fleet/radio_probe.h"

#include <algorithm>
#include <array>
#include <span>

#include "core/link/connection.h"
#include "core/radio/memory_image.h"
#include "core/radio/packed_password.h"

namespace radioprog {
namespace {

constexpr Milliseconds kPause(1);

RadioIdentity IdentityOf(const RadioPort::ReadResult& reply) {
    const auto password = [&](std::size_t first) {
        return PackedPassword{reply.bytes[first], reply.bytes[first + 1], reply.bytes[first + 2]};
    };
    constexpr std::size_t kAdmin = image::kIdentityAdminPassword - image::kIdentity;
    constexpr std::size_t kUser = image::kIdentityUserPassword - image::kIdentity;
    if (std::equal(wire::kStandardIdentity.begin(), wire::kStandardIdentity.end(),
                   reply.bytes.begin())) {
        return RadioIdentity{};
    }
    return RadioIdentity{IsPasswordSet(password(kAdmin)), IsPasswordSet(password(kUser))};
}

}  // namespace

ProbeResult ProbeRadio(PortOpener& opener, const std::string& portName) {
    PortOpener::Opened opened = opener.Open(portName, kTransferProfile);
    if (!opened.port) {
        return ProbeResult{std::nullopt, opened.error.empty() ? portName : opened.error};
    }
    RadioPort& port = *opened.port;
    SendHandshake(port);
    static_cast<void>(port.Read(1));
    port.Sleep(kPause);
    port.PurgeInput();
    const std::uint8_t request = wire::kIdentityRequest;
    port.Write(std::span(&request, 1));
    port.Sleep(kPause);
    const RadioPort::ReadResult reply = port.Read(wire::kIdentitySize);
    // Line noise is no radio: only a whole record with its marker is an answer.
    if (reply.failed || reply.bytes.size() < wire::kIdentitySize ||
        reply.bytes[0] != image::kIdentityMarker) {
        return {};
    }
    return ProbeResult{IdentityOf(reply), {}};
}

}  // namespace radioprog
