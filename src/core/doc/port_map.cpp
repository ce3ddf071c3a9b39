#include "core/doc/port_map.h"

#include <array>

#include "core/doc/user_store.h"
#include "core/ports/port_discovery.h"

namespace radioprog {
namespace {

bool IsMappedSlot(int slot) {
    return slot >= kFirstComSlot && slot <= kLastComSlot;
}

std::string SlotValueName(int slot) {
    return "COM" + std::to_string(slot);
}

}  // namespace

std::string PortDevice(const UserStore& store, int slot) {
    if (!IsMappedSlot(slot)) {
        return {};
    }
    return store.GetText(kPortMapKey, SlotValueName(slot)).value_or(DefaultPortDevice(slot));
}

Status SetPortDevice(UserStore& store, int slot, std::string_view device) {
    if (!IsMappedSlot(slot)) {
        return Status::Error(SlotValueName(slot) + " is not one of the ports COM1 to COM4");
    }
    return store.SetText(kPortMapKey, SlotValueName(slot), device);
}

std::optional<std::string> StoredPortDevice(const UserStore& store, int slot) {
    if (!IsMappedSlot(slot)) {
        return std::nullopt;
    }
    return store.GetText(kPortMapKey, SlotValueName(slot));
}

Status BindPort(UserStore& store, int slot, const std::filesystem::path& device,
                const SystemRoots& roots) {
    return SetPortDevice(store, slot, StablePath(device, roots).string());
}

PortBindingEdit::PortBindingEdit(UserStore& store) : m_store(store) {
    for (int slot = kFirstComSlot; slot <= kLastComSlot; ++slot) {
        m_before[static_cast<std::size_t>(slot - kFirstComSlot)] = StoredPortDevice(store, slot);
    }
}

Status PortBindingEdit::Revert() {
    for (int slot = kFirstComSlot; slot <= kLastComSlot; ++slot) {
        const auto& before = m_before[static_cast<std::size_t>(slot - kFirstComSlot)];
        if (StoredPortDevice(m_store, slot) == before) {
            continue;
        }
        if (Status put = SetPortDevice(m_store, slot, before.value_or("")); !put) {
            return put;
        }
    }
    return Status::Ok();
}

PortBinding StoredPortBinding(const UserStore& store) {
    return [&store](int slot) { return PortDevice(store, slot); };
}

PortBinding PortBindingSnapshot(const UserStore& store) {
    std::array<std::string, 5> devices;
    for (int slot = 1; slot <= 4; ++slot) {
        devices[static_cast<std::size_t>(slot)] = PortDevice(store, slot);
    }
    return [devices](int slot) {
        return slot >= 1 && slot <= 4 ? devices[static_cast<std::size_t>(slot)] : std::string();
    };
}

std::string ResolvePortDevice(std::string_view portName, const UserStore& store) {
    return ResolvePortDevice(portName, StoredPortBinding(store));
}

}  // namespace radioprog
