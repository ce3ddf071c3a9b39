#include "core/doc/com_slots.h"

#include "core/doc/app_context.h"
#include "core/link/port_opener.h"
#include "core/ports/doctor.h"
#include "core/ports/port_listing.h"

namespace radioprog {

std::array<ComSlotLine, kComSetupButtons> DescribeComSlots(const AppContext& context,
                                                           const PortOpener& opener,
                                                           const ComSetupView& view) {
    const PortEnvironment environment = PortEnvironment::Current(context.system);
    const std::vector<DiscoveredPort> discovered = DiscoverPorts(context.system);
    std::array<ComSlotLine, kComSetupButtons> lines;
    for (int index = 0; index < kComSetupButtons; ++index) {
        const std::string portName = "COM" + std::to_string(kFirstComSlot + index);
        const std::string device = opener.DeviceFor(portName);
        ComSlotLine& line = lines[static_cast<std::size_t>(index)];
        line.device =
            PortLine(IdentifyDevice(device, discovered, context.system), context.language);
        if (view.openable[static_cast<std::size_t>(index)]) {
            continue;
        }
        line.reason = FailureReason(ExaminePort({portName, device}, environment, context.language));
        if (line.reason.empty()) {
            line.reason =
                BilingualText{"cannot be opened now", "现在无法打开"}.In(context.language);
        }
    }
    return lines;
}

int SlotToBind(int checkedIndex) {
    return checkedIndex >= 0 && checkedIndex < kComSetupButtons ? kFirstComSlot + checkedIndex
                                                                : kFirstComSlot;
}

}  // namespace radioprog
