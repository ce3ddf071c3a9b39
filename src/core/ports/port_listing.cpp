#include "core/ports/port_listing.h"

namespace radioprog {

std::vector<PortRow> ListPorts(const PortEnvironment& environment, const PortBinding& binding,
                               Language language) {
    std::vector<PortRow> rows;
    for (DiscoveredPort& port : DiscoverPorts(environment.roots)) {
        PortRow row;
        for (int slot = kFirstComSlot; slot <= kLastComSlot; ++slot) {
            if (LeadsTo(binding(slot), port)) {
                row.comSlots.push_back(slot);
            }
        }
        const PortReport report =
            ExaminePort({port.device.string(), port.device}, environment, language);
        row.openable = report.Passed();
        row.reason = FailureReason(report);
        row.port = std::move(port);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string FailureReason(const PortReport& report) {
    const DoctorCheck* failed = report.FirstFailure();
    return failed == nullptr ? std::string() : failed->found;
}

}  // namespace radioprog
