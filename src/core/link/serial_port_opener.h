#pragma once

#include <string>

#include "core/link/port_names.h"
#include "core/link/port_opener.h"

namespace radioprog {

/// Opens port names on this machine's serial devices: COM1 to COM4 through the slots' binding,
/// any other name as a device path.
class SerialPortOpener final : public PortOpener {
public:
    explicit SerialPortOpener(PortBinding binding);

    /// The error text starts with the port name as given, followed by the cause; a device path
    /// given directly is named once, by the cause.
    Opened Open(const std::string& portName, const TimeoutProfile& profile) override;
    /// Asks the device the name resolves to, without configuring it.
    bool CanOpen(const std::string& portName) override;
    std::string DeviceFor(const std::string& portName) const override;

private:
    PortBinding m_binding;
};

}  // namespace radioprog
