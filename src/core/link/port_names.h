#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/status.h"

namespace radioprog {

class UserStore;

/// The per-user key that binds the port names COM1 to COM4 to devices; its values are named
/// "COM1" to "COM4".
inline constexpr std::string_view kPortMapKey = "Software\\radioprog\\Ports";
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

/// The device bound to @p slot (1 to 4) for this user: the stored choice, else the default.
/// Empty for a slot outside 1 to 4.
std::string PortDevice(const UserStore& store, int slot);

/// Binds @p slot (1 to 4) to @p device for this user; an empty @p device brings the default
/// back.
Status SetPortDevice(UserStore& store, int slot, std::string_view device);

/// The device to open for a port name: COM1 to COM4 (any case) give their bound devices; any
/// other COM name (COM0, COM7) gives the empty text, which names no device; anything else is a
/// device path and is returned as given.
std::string ResolvePortDevice(std::string_view portName, const UserStore& store);

}  // namespace radioprog
