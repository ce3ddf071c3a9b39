#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace radioprog {

/// The port names bound to devices are COM1 to COM4.
inline constexpr int kFirstComSlot = 1;
inline constexpr int kLastComSlot = 4;

/// The number of a COM port name: "COM" in any letter case followed by decimal digits ("com3"
/// gives 3, "COM0" 0, "COM7" 7). Nothing for any other text, and for a number too large for an
/// int.
std::optional<int> ComSlot(std::string_view name);

/// The device a slot is bound to when the user has not chosen one: COM1 /dev/ttyUSB0, COM2
/// /dev/ttyUSB1, COM3 /dev/ttyACM0, COM4 /dev/ttyS0. Empty for a slot outside 1 to 4.
std::string DefaultPortDevice(int slot);

/// Which device a slot (1 to 4) stands for now; empty for a slot outside 1 to 4.
using PortBinding = std::function<std::string(int slot)>;

/// The device to open for a port name: COM1 to COM4 (any case) give their bound devices; any
/// other COM name (COM0, COM7) gives the empty text, which names no device; anything else is a
/// device path and is returned as given.
std::string ResolvePortDevice(std::string_view portName, const PortBinding& binding);

}  // namespace radioprog
