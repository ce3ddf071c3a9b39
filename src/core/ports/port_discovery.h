#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/base/language.h"
#include "core/ports/known_adapters.h"
#include "core/ports/system_roots.h"

namespace radioprog {

/// What a USB adapter says about itself.
struct UsbDetails {
    UsbId id;
    std::string manufacturer;  ///< "Prolific Technology Inc.", empty when it says nothing
    std::string product;       ///< "USB-Serial Controller"
    std::string serial;
};

/// A serial port of the machine, or a device the user named.
struct DiscoveredPort {
    std::string name;              ///< the kernel's name, "ttyUSB0"; empty when it has none
    std::filesystem::path device;  ///< "/dev/ttyUSB0"
    std::filesystem::path byId;    ///< the link in /dev/serial/by-id/, empty when there is none
    std::string driver;            ///< "ch341", "pl2303", "cp210x", "ftdi_sio", "cdc_acm", ...
    std::optional<UsbDetails> usb;
    bool pseudoTerminal = false;  ///< a pty, such as the simulated radio's
};

/// The serial ports the kernel lists in sysfs (`class/tty`) with a device behind them, in the
/// order of their names (ttyACM0, ttyS0, ttyUSB0, ttyUSB1, ttyUSB10). A port whose device
/// node is missing is listed all the same: that is what a check has to explain.
std::vector<DiscoveredPort> DiscoverPorts(const SystemRoots& roots);

/// The port @p device names (a device node, a link to it such as the by-id link, a pty): the
/// discovered port when it is one, otherwise a port of its own that knows only its device.
DiscoveredPort IdentifyDevice(const std::filesystem::path& device,
                              std::span<const DiscoveredPort> discovered, const SystemRoots& roots);

/// The by-id link of @p device when there is one, else @p device: the name that stays the same
/// across re-plugging and reboots.
std::filesystem::path StablePath(const std::filesystem::path& device, const SystemRoots& roots);

/// Whether @p a and @p b are the same device (one may be a link to the other).
bool SameDevice(const std::filesystem::path& a, const std::filesystem::path& b);

/// Whether @p device leads to @p port: its device, its by-id link, or another link to it.
bool LeadsTo(const std::filesystem::path& device, const DiscoveredPort& port);

/// What the port is: "Prolific PL2303 (067b:2303)", "built-in serial port (serial)",
/// "pseudo-terminal"; empty when nothing is known.
std::string DescribePort(const DiscoveredPort& port, Language language);
/// The device and what it is: "/dev/ttyUSB0 · Prolific PL2303 (067b:2303)".
std::string PortLine(const DiscoveredPort& port, Language language);

}  // namespace radioprog
