#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/status.h"
#include "core/link/port_names.h"
#include "core/ports/system_roots.h"

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

/// The device this user bound @p slot to; nothing when the slot keeps its default.
std::optional<std::string> StoredPortDevice(const UserStore& store, int slot);

/// Binds @p slot (1 to 4) to @p device by its stable name: the by-id link of the device when
/// it has one, so that a cable keeps its slot across re-plugging and reboots.
Status BindPort(UserStore& store, int slot, const std::filesystem::path& device,
                const SystemRoots& roots);

/// The bindings of COM1 to COM4 as they were when a dialog opened, to be put back when it is
/// cancelled.
class PortBindingEdit {
public:
    explicit PortBindingEdit(UserStore& store);

    /// Puts back every binding changed since; says so when one cannot be stored.
    Status Revert();

private:
    UserStore& m_store;
    std::array<std::optional<std::string>, kLastComSlot - kFirstComSlot + 1> m_before;
};

/// The slots as this user bound them, asked again at every use so that a new binding counts at
/// once. @p store must outlive the binding.
PortBinding StoredPortBinding(const UserStore& store);
/// The binding of COM1 to COM4 as the store has it now, kept apart from the store: what ports
/// opened on other threads go by, for the store must be read on its own thread only.
PortBinding PortBindingSnapshot(const UserStore& store);

/// The device to open for a port name, with the slots bound as this user bound them.
std::string ResolvePortDevice(std::string_view portName, const UserStore& store);

}  // namespace radioprog
