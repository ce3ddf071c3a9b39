#pragma once

#include <string>

#include "link/port_opener.h"

namespace radioprog {

class UserStore;

/// Opens port names on this machine's serial devices: COM1 to COM4 through the user's port
/// map, any other name as a device path.
class SerialPortOpener final : public PortOpener {
public:
    /// @param store the per-user store holding the port map; must outlive the opener.
    explicit SerialPortOpener(const UserStore& store);

    /// The error text starts with the port name as given, followed by the cause; a device path
    /// given directly is named once, by the cause.
    Opened Open(const std::string& portName, const TimeoutProfile& profile) override;
    /// Asks the device the name resolves to, without configuring it.
    bool CanOpen(const std::string& portName) override;

private:
    const UserStore& m_store;
};

}  // namespace radioprog
