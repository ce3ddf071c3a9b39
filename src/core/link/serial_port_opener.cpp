#include "core/link/serial_port_opener.h"

#include <utility>

#include "core/link/serial_port.h"

namespace radioprog {

SerialPortOpener::SerialPortOpener(PortBinding binding) : m_binding(std::move(binding)) {}

PortOpener::Opened SerialPortOpener::Open(const std::string& portName,
                                          const TimeoutProfile& profile) {
    Opened opened;
    const std::string device = DeviceFor(portName);
    if (device.empty()) {
        opened.error = ComSlot(portName) ? portName + " is not one of the ports COM1 to COM4"
                                         : std::string("no port chosen");
        return opened;
    }
    std::string cause;
    opened.port = SerialPort::Open(device, profile, &cause);
    if (!opened.port) {
        opened.error = device == portName ? cause : portName + ": " + cause;
    }
    return opened;
}

bool SerialPortOpener::CanOpen(const std::string& portName) {
    const std::string device = DeviceFor(portName);
    return !device.empty() && SerialPort::CanOpen(device);
}

std::string SerialPortOpener::DeviceFor(const std::string& portName) const {
    return ResolvePortDevice(portName, m_binding);
}

}  // namespace radioprog
