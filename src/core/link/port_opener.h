#pragma once

#include <memory>
#include <string>

#include "core/link/radio_port.h"

namespace radioprog {

struct LinkSession;

/// Opens the port an exchange needs, by the current port name ("COM1".."COM4" in any case, or a
/// device path). The real opener gives a serial port; tests give fakes.
class PortOpener {
public:
    virtual ~PortOpener() = default;

    struct Opened {
        std::unique_ptr<RadioPort> port;  ///< null when the port could not be opened
        std::string error;                ///< why, in words a Linux user can act on
    };

    virtual Opened Open(const std::string& portName, const TimeoutProfile& profile) = 0;

    /// Whether @p portName could be opened right now, asked without keeping it open. Openers
    /// of real lines override this so that asking leaves the line's settings alone.
    virtual bool CanOpen(const std::string& portName) {
        return Open(portName, kTransferProfile).port != nullptr;
    }

    /// The device @p portName leads to: the device a COM name is bound to, else the name
    /// itself; empty for a COM name that stands for no device (COM0, COM7). What a failed open
    /// is explained by and a trace is headed with.
    virtual std::string DeviceFor(const std::string& portName) const { return portName; }
};

/// Opens the current port name of @p session with @p profile: the one way every exchange
/// opens the radio's port.
PortOpener::Opened OpenRadioPort(PortOpener& opener, const LinkSession& session,
                                 const TimeoutProfile& profile);

}  // namespace radioprog
