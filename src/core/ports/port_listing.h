#pragma once

#include <string>
#include <vector>

#include "core/base/language.h"
#include "core/link/port_names.h"
#include "core/ports/doctor.h"
#include "core/ports/port_discovery.h"

namespace radioprog {

/// A serial port of the machine as `ports` and COM Setup show it.
struct PortRow {
    DiscoveredPort port;
    std::vector<int> comSlots;  ///< the COM slots (1 to 4) that lead to it
    bool openable = false;      ///< every check of the doctor passed just now
    std::string reason;         ///< when it cannot be opened: the doctor's finding
};

/// Every serial port of the machine with the slots of @p binding that lead to it, and whether
/// it can be opened now.
std::vector<PortRow> ListPorts(const PortEnvironment& environment, const PortBinding& binding,
                               Language language);

/// Why @p report's port cannot be opened: the finding of its first failed check; empty when
/// none failed.
std::string FailureReason(const PortReport& report);

}  // namespace radioprog
