#pragma once

#include <string>
#include <string_view>

#include "core/base/status.h"
#include "core/link/port_names.h"

namespace radioprog {

class UserStore;

/// The per-user key that binds the port names COM1 to COM4 to devices; its values are named
/// "COM1" to "COM4".
inline constexpr std::string_view kPortMapKey = "Software\\radioprog\\Ports";

/// The device bound to @p slot (1 to 4) for this user: the stored choice, else the default.
/// Empty for a slot outside 1 to 4.
std::string PortDevice(const UserStore& store, int slot);

/// Binds @p slot (1 to 4) to @p device for this user; an empty @p device brings the default
/// back.
Status SetPortDevice(UserStore& store, int slot, std::string_view device);

/// The slots as this user bound them, asked again at every use so that a new binding counts at
/// once. @p store must outlive the binding.
PortBinding StoredPortBinding(const UserStore& store);

/// The device to open for a port name, with the slots bound as this user bound them.
std::string ResolvePortDevice(std::string_view portName, const UserStore& store);

}  // namespace radioprog
