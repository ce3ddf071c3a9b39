#pragma once

#include <optional>
#include <string>

#include "core/fleet/fleet_types.h"
#include "core/link/port_opener.h"

namespace radioprog {

/// What one quiet look at a port found.
struct ProbeResult {
    std::optional<RadioIdentity> radio;  ///< set when a radio answered
    std::string portError;               ///< why the port could not be opened; empty if it could
};

/// Opens @p portName, sends the handshake and asks for the identity, and closes the port again:
/// a radio is there when it answers with a whole identity record (one that begins with 50).
/// Nothing is asked of the user and no block is read; a radio that answers is left to the next
/// handshake.
ProbeResult ProbeRadio(PortOpener& opener, const std::string& portName);

}  // namespace radioprog
