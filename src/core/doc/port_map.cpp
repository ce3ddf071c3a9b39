#include "core/doc/port_map.h"

#include "core/doc/user_store.h"

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

PortBinding StoredPortBinding(const UserStore& store) {
    return [&store](int slot) { return PortDevice(store, slot); };
}

std::string ResolvePortDevice(std::string_view portName, const UserStore& store) {
    return ResolvePortDevice(portName, StoredPortBinding(store));
}

}  // namespace radioprog
